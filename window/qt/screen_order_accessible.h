// The window and its frames as assistive technology sees them: the window in the role of a
// frame (a top-level window), and the children of each in the definition's screen order,
// whatever their stacking; hidden ones are left out.
#pragma once

#include <QAccessibleWidget>
#include <vector>

namespace quiz::ui::qt {

class ScreenOrderAccessible final : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  std::vector<QWidget*> Children() const;
};

// Gives the quiz window and its frames their screen-order interfaces; once per program.
void InstallScreenOrder();

}  // namespace quiz::ui::qt
