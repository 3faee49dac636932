// A command button in graphical style, drawn flat in its own colour: a darker edge, a focus
// mark inside it while it has the focus, and a darker face while pressed; its caption and
// mark in the ink for its colour.
#pragma once

#include <QColor>
#include <QPushButton>
#include <cstdint>

namespace quiz::ui::qt {

class ColorButton final : public QPushButton {
 public:
  ColorButton(const QString& caption, std::uint32_t face, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor face_;
  QColor ink_;
};

}  // namespace quiz::ui::qt
