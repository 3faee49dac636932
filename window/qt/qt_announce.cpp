#include "window/qt/qt_announce.h"

#include <QAccessible>
#include <QAccessibleEvent>

namespace quiz::ui {

void AnnounceResult(QWidget* box, const QString& text) {
  (void)text;  // the box's own text-changed events carry it; this adds an alert on the box
  if (box == nullptr || !QAccessible::isActive()) return;
  QAccessibleEvent event(box, QAccessible::Alert);
  QAccessible::updateAccessibility(&event);
}

}  // namespace quiz::ui
