// The window definition's text and colours as Qt takes them.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string_view>

#include "window/definition.h"

namespace quiz::ui {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour as the definition stores it (0x00BBGGRR).
inline QColor ToQColor(std::uint32_t color) {
  return QColor(static_cast<int>(Red(color)), static_cast<int>(Green(color)),
                static_cast<int>(Blue(color)));
}

}  // namespace quiz::ui
