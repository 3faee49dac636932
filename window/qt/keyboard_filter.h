// The keyboard of the Qt window: one event filter on every control's widget hands each key
// to the keyboard model and carries out its answer, so that no widget handles Tab, the
// arrows, Space or Enter on its own.
#pragma once

#include <QObject>

namespace quiz::ui::qt {

class QtWindow;

class KeyboardFilter final : public QObject {
 public:
  explicit KeyboardFilter(QtWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtWindow& window_;
};

}  // namespace quiz::ui::qt
