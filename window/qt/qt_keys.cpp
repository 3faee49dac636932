#include "window/qt/qt_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include "window/keyboard.h"
#include "window/qt/qt_window.h"

namespace quiz::ui {
namespace {

KeyPress FromQt(const QKeyEvent& event) {
  KeyPress press;
  switch (event.key()) {
    case Qt::Key_Backtab:  // Shift+Tab, as X11 sends it
      press.modifiers |= kShift;
      [[fallthrough]];
    case Qt::Key_Tab:
      press.key = Key::Tab;
      break;
    case Qt::Key_Up:
      press.key = Key::Up;
      break;
    case Qt::Key_Down:
      press.key = Key::Down;
      break;
    case Qt::Key_Left:
      press.key = Key::Left;
      break;
    case Qt::Key_Right:
      press.key = Key::Right;
      break;
    case Qt::Key_Space:
      press.key = Key::Space;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      press.key = Key::Enter;
      break;
    case Qt::Key_Escape:
      press.key = Key::Escape;
      break;
    default:
      break;
  }
  const Qt::KeyboardModifiers held = event.modifiers();
  if (held & Qt::ShiftModifier) press.modifiers |= kShift;
  if (held & Qt::ControlModifier) press.modifiers |= kCtrl;
  if (held & Qt::AltModifier) press.modifiers |= kAlt;
  if (held & Qt::MetaModifier) press.modifiers |= kMeta;
  return press;
}

}  // namespace

KeyFilter::KeyFilter(QtQuizWindow& window) : QObject(&window), window_(window) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget()) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  const KeyPress press = FromQt(key);
  if (press.key == Key::Other) return false;
  const Control* focus = window_.ControlOf(static_cast<QWidget*>(watched));
  const KeyOutcome outcome =
      AnswerKey(focus, press, [this](const Control& o) { return window_.IsSelected(o); });
  QWidget* target = outcome.target != nullptr ? window_.Widget(*outcome.target) : nullptr;
  auto* button = qobject_cast<QAbstractButton*>(target);
  switch (outcome.action) {
    case KeyAction::Pass:
      // Not the window's: the text box scrolls and selects on its own. Qt's buttons would
      // move the focus themselves on arrows, and every widget on Tab, so neither gets them.
      return press.key == Key::Tab || focus == nullptr || focus->kind != Kind::TextBox;
    case KeyAction::Ignore:
      return true;
    case KeyAction::Focus:
      if (target != nullptr) {
        target->setFocus(press.modifiers & kShift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      }
      return true;
    case KeyAction::Choose:
      if (button != nullptr) {
        button->setFocus(Qt::OtherFocusReason);
        button->click();
      }
      return true;
    case KeyAction::Press:
      // A held key repeats its press; the button is clicked once.
      if (button != nullptr && !key.isAutoRepeat()) button->click();
      return true;
  }
  return false;
}

}  // namespace quiz::ui
