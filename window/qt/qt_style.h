// The colours a control's widget is drawn in and the focus mark every control draws.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QWidget>
#include <cstdint>

namespace quiz::ui::qt {

// Fills a widget with a colour of the definition, its text and indicator wells in the ink
// for that colour (InkOn), whatever the system's scheme; kSystemColor gives it the system's
// colours, its text included.
void FillBackground(QWidget* widget, std::uint32_t color);

// The focus mark: a rectangle two pixels wide just inside `area`, in the caption's colour,
// so that it stands out against the control's own colour as the caption does.
void DrawFocusMark(QPainter& painter, const QRect& area, const QColor& ink);

}  // namespace quiz::ui::qt
