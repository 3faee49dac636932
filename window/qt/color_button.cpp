#include "window/qt/color_button.h"

#include <QPainter>

#include "window/definition.h"
#include "window/qt/qt_convert.h"
#include "window/qt/qt_style.h"

namespace quiz::ui::qt {

ColorButton::ColorButton(const QString& caption, std::uint32_t face, QWidget* parent)
    : QPushButton(caption, parent), face_(ToQColor(face)), ink_(ToQColor(InkOn(face))) {}

void ColorButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(rect(), face_.darker(160));
  painter.fillRect(inside, isDown() ? face_.darker(115) : face_);
  if (hasFocus()) DrawFocusMark(painter, inside, ink_);
  painter.setPen(ink_);
  painter.drawText(inside, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace quiz::ui::qt
