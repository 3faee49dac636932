// An option button that is hit anywhere in its rectangle, as a native option button is,
// and draws a focus mark that can be seen around its caption.
#pragma once

#include <QRadioButton>

namespace quiz::ui::qt {

class OptionButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

  // The strip at the bottom that the button below shares: that one fills it, so that the
  // tops of its letters and the descenders of this caption both show there.
  void ShareBottom(int rows) { shared_rows_ = rows; }

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void paintEvent(QPaintEvent* event) override;

 private:
  int shared_rows_ = 0;
};

}  // namespace quiz::ui::qt
