// The keyboard of the Qt window: one event filter on every control's widget hands each key
// to the keyboard model and carries out its answer, so that no widget handles Tab, the
// arrows, Space or Enter on its own.
#pragma once

#include <QObject>

namespace quiz::ui {

class QtQuizWindow;

class KeyFilter final : public QObject {
 public:
  explicit KeyFilter(QtQuizWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtQuizWindow& window_;
};

}  // namespace quiz::ui
