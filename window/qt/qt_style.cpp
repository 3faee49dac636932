#include "window/qt/qt_style.h"

#include <QApplication>
#include <QPalette>
#include <QPen>

#include "window/definition.h"
#include "window/qt/qt_convert.h"

namespace quiz::ui::qt {

void FillBackground(QWidget* widget, std::uint32_t color) {
  QPalette palette = widget->palette();
  constexpr QPalette::ColorRole kInk[] = {QPalette::WindowText, QPalette::ButtonText,
                                          QPalette::Text, QPalette::Base};
  if (color == kSystemColor) {
    const QPalette system = QApplication::palette();
    palette.setColor(QPalette::Window, system.color(QPalette::Window));
    for (QPalette::ColorRole role : kInk) palette.setColor(role, system.color(role));
    widget->setPalette(palette);
    return;
  }
  // Buttons fill with the Button role, the other widgets with Window. A dark scheme would
  // otherwise give a light control light captions and dark indicator wells.
  palette.setColor(widget->backgroundRole(), ToQColor(color));
  const std::uint32_t ink = InkOn(color);
  const std::uint32_t well = ink == Rgb(0, 0, 0) ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
  for (QPalette::ColorRole role : kInk) {
    palette.setColor(role, ToQColor(role == QPalette::Base ? well : ink));
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void DrawFocusMark(QPainter& painter, const QRect& area, const QColor& ink) {
  painter.save();
  painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(area).adjusted(1, 1, -1, -1));
  painter.restore();
}

}  // namespace quiz::ui::qt
