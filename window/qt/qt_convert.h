// The window definition's text, colours, alignment, font and lengths as Qt takes them.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string_view>

#include "window/definition.h"

namespace quiz::ui::qt {

// Geometry is laid out in logical pixels at 96 per inch; Qt scales them on high-DPI screens.
inline constexpr int kLogicalDpi = 96;

inline int Px(int twips) { return TwipsToPixels(twips, kLogicalDpi); }

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour as the definition stores it (0x00BBGGRR).
inline QColor ToQColor(std::uint32_t color) {
  return QColor(static_cast<int>(Red(color)), static_cast<int>(Green(color)),
                static_cast<int>(Blue(color)));
}

inline Qt::Alignment ToQtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center:
      return Qt::AlignCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

inline QFont ToQFont(const Font& font) {
  QFont f(ToQString(font.face));
  f.setStyleHint(QFont::Serif);  // where the face is missing, a serif of the same metrics
  // Points at 96 logical pixels per inch, like the geometry, so text and boxes scale together.
  f.setPixelSize(Px(font.points * 20));
  f.setWeight(static_cast<QFont::Weight>(font.weight));
  f.setBold(font.bold || font.weight >= 700);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeout);
  // The character set needs no setting: Qt's text is Unicode and picks Cyrillic glyphs.
  return f;
}

}  // namespace quiz::ui::qt
