#include "window/qt/text_box.h"

#include <QPainter>
#include <QScrollBar>

#include "window/qt/qt_convert.h"
#include "window/qt/qt_style.h"

namespace quiz::ui::qt {

void TextBox::SetExact(std::u16string_view text) {
  exact_ = text;
  setPlainText(ToQString(text));
  verticalScrollBar()->setValue(0);
}

void TextBox::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(viewport());
  DrawFocusMark(painter, viewport()->rect(), palette().color(QPalette::Text));
}

// Scrolling moves the drawn pixels, the mark with them: draw the text area anew.
void TextBox::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  viewport()->update();
}

void TextBox::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  viewport()->update();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  viewport()->update();
}

}  // namespace quiz::ui::qt
