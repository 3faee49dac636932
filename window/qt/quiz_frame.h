// A frame of option buttons, drawn with an etched border around its own colour (the
// toolkit's default frame shades its inside). A class of its own, so that assistive
// technology is given its children in screen order.
#pragma once

#include <QGroupBox>

namespace quiz::ui::qt {

class QuizFrame final : public QGroupBox {
  Q_OBJECT

 public:
  QuizFrame(const QString& caption, QWidget* parent);
};

}  // namespace quiz::ui::qt
