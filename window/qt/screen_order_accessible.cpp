#include "window/qt/screen_order_accessible.h"

#include <QAccessible>
#include <algorithm>

#include "window/layout.h"
#include "window/qt/qt_window.h"
#include "window/qt/quiz_frame.h"

namespace quiz::ui::qt {
namespace {

QAccessibleInterface* ScreenOrderFactory(const QString& /*class_name*/, QObject* object) {
  if (auto* window = dynamic_cast<QtWindow*>(object)) {
    return new ScreenOrderAccessible(window, QAccessible::Window);
  }
  if (auto* frame = qobject_cast<QuizFrame*>(object)) {
    return new ScreenOrderAccessible(frame, QAccessible::Grouping);
  }
  return nullptr;
}

}  // namespace

int ScreenOrderAccessible::childCount() const { return static_cast<int>(Children().size()); }

QAccessibleInterface* ScreenOrderAccessible::child(int index) const {
  const std::vector<QWidget*> children = Children();
  if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
  return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
}

int ScreenOrderAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  const std::vector<QWidget*> children = Children();
  const auto found = std::find(children.begin(), children.end(), child->object());
  return found != children.end() ? static_cast<int>(found - children.begin()) : -1;
}

std::vector<QWidget*> ScreenOrderAccessible::Children() const {
  std::vector<QWidget*> children;
  const auto* window = dynamic_cast<const QtWindow*>(widget()->window());
  if (window == nullptr) return children;
  for (const Control* c : ChildrenOnScreen(window->ControlOf(widget()))) {
    if (QWidget* w = window->WidgetOf(*c)) children.push_back(w);
  }
  return children;
}

void InstallScreenOrder() {
  static const bool installed = (QAccessible::installFactory(&ScreenOrderFactory), true);
  (void)installed;
}

}  // namespace quiz::ui::qt
