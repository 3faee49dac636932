#include "window/qt/option_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "window/qt/qt_style.h"

namespace quiz::ui::qt {

// The fill, a focus mark around the caption, then indicator and caption; the style's own
// focus tint is too faint to see.
void OptionButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  painter.fillRect(QRect(0, 0, width(), height() - shared_rows_),
                   palette().color(backgroundRole()));
  QStyleOptionButton option;
  initStyleOption(&option);
  if (hasFocus()) {
    const QRect caption = style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this);
    DrawFocusMark(painter, caption.intersected(rect()), palette().color(foregroundRole()));
  }
  option.state &= ~QStyle::State_HasFocus;
  painter.drawControl(QStyle::CE_RadioButton, option);
}

}  // namespace quiz::ui::qt
