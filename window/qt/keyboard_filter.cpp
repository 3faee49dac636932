#include "window/qt/keyboard_filter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include "window/keyboard.h"
#include "window/qt/qt_window.h"

namespace quiz::ui::qt {
namespace {

KeyPress FromQt(const QKeyEvent& event) {
  static constexpr struct {
    int qt;
    Key key;
  } kKeys[] = {{Qt::Key_Tab, Key::Tab},     {Qt::Key_Backtab, Key::Tab},
               {Qt::Key_Up, Key::Up},       {Qt::Key_Down, Key::Down},
               {Qt::Key_Left, Key::Left},   {Qt::Key_Right, Key::Right},
               {Qt::Key_Space, Key::Space}, {Qt::Key_Return, Key::Enter},
               {Qt::Key_Enter, Key::Enter}, {Qt::Key_Escape, Key::Escape}};
  KeyPress press;
  for (const auto& k : kKeys) {
    if (k.qt == event.key()) press.key = k.key;
  }
  const Qt::KeyboardModifiers held = event.modifiers();
  // Backtab is Shift+Tab, as X11 sends it.
  if ((held & Qt::ShiftModifier) || event.key() == Qt::Key_Backtab) press.modifiers |= kShift;
  if (held & Qt::ControlModifier) press.modifiers |= kCtrl;
  if (held & Qt::AltModifier) press.modifiers |= kAlt;
  if (held & Qt::MetaModifier) press.modifiers |= kMeta;
  return press;
}

}  // namespace

KeyboardFilter::KeyboardFilter(QtWindow& window) : QObject(&window), window_(window) {}

bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget()) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  const KeyPress press = FromQt(key);
  if (press.key == Key::Other) return false;
  const Control* focus = window_.ControlOf(static_cast<QWidget*>(watched));
  const KeyOutcome outcome =
      AnswerKey(focus, press, [this](const Control& o) { return window_.IsSelected(o); });
  QWidget* target = outcome.target != nullptr ? window_.WidgetOf(*outcome.target) : nullptr;
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

}  // namespace quiz::ui::qt
