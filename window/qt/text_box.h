// The text box. It keeps the exact text it was given: the text widget turns CR LF into
// paragraph breaks, while the controller reads back what it wrote. While it has the focus,
// a focus mark runs round the inside of its text area.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace quiz::ui::qt {

class TextBox final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  const std::u16string& exact() const { return exact_; }
  // Shows a text from its top and keeps it as given.
  void SetExact(std::u16string_view text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::u16string exact_;
};

}  // namespace quiz::ui::qt
