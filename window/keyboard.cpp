#include "window/keyboard.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "window/layout.h"

namespace quiz::ui {
namespace {

// Ctrl, Alt and Meta turn the window's keys into the system's (or the browser's).
constexpr std::uint8_t kSystemModifiers = kCtrl | kAlt | kMeta;

bool Is(const Control* control, Kind kind) { return control != nullptr && control->kind == kind; }

KeyOutcome Arrow(const Control* focus, int step) {
  if (Is(focus, Kind::OptionButton)) {
    const Control* to = OptionOnScreen(*focus, step);
    return to != nullptr ? KeyOutcome{KeyAction::Choose, to} : KeyOutcome{KeyAction::Ignore};
  }
  if (Is(focus, Kind::CommandButton)) return {KeyAction::Ignore};
  return {};
}

}  // namespace

KeyOutcome AnswerKey(const Control* focus, KeyPress press, const IsSelected& is_selected) {
  if ((press.modifiers & kSystemModifiers) != 0) return {};
  switch (press.key) {
    case Key::Tab: {
      const Control* to = NextTabStop(focus, (press.modifiers & kShift) != 0 ? -1 : 1, is_selected);
      return to != nullptr ? KeyOutcome{KeyAction::Focus, to} : KeyOutcome{};
    }
    case Key::Down:
    case Key::Right:
      return Arrow(focus, 1);
    case Key::Up:
    case Key::Left:
      return Arrow(focus, -1);
    case Key::Space:
      if (Is(focus, Kind::OptionButton) || Is(focus, Kind::CommandButton)) {
        return {KeyAction::Press, focus};
      }
      return {};
    case Key::Enter:
      return Is(focus, Kind::CommandButton) ? KeyOutcome{KeyAction::Press, focus} : KeyOutcome{};
    case Key::Escape:
    case Key::Other:
      break;
  }
  return {};
}

const Control* NextTabStop(const Control* from, int step, const IsSelected& is_selected) {
  const std::vector<const Control*> stops = TabStops();
  if (stops.empty()) return nullptr;
  if (from != nullptr && from->kind == Kind::OptionButton) from = ParentOf(*from);
  const auto n = static_cast<std::ptrdiff_t>(stops.size());
  const auto found = std::find(stops.begin(), stops.end(), from);
  const std::ptrdiff_t here = found != stops.end() ? found - stops.begin() : (step > 0 ? -1 : n);
  const Control* stop = stops[static_cast<std::size_t>(((here + step) % n + n) % n)];
  if (stop->kind != Kind::Frame) return stop;
  const std::vector<const Control*> options = OptionsOnScreen(*stop);
  const auto chosen = std::find_if(options.begin(), options.end(),
                                   [&](const Control* o) { return is_selected(*o); });
  return chosen != options.end() ? *chosen : options.front();
}

const Control* FirstFocus(const IsSelected& is_selected) {
  return NextTabStop(nullptr, 1, is_selected);
}

const Control* OptionOnScreen(const Control& from, int step) {
  const Control* frame = ParentOf(from);
  if (from.kind != Kind::OptionButton || frame == nullptr) return nullptr;
  const std::vector<const Control*> options = OptionsOnScreen(*frame);
  const auto at = std::find(options.begin(), options.end(), &from);
  if (at == options.end()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(options.size());
  const std::ptrdiff_t next = ((at - options.begin()) + step % n + n) % n;
  return options[static_cast<std::size_t>(next)];
}

}  // namespace quiz::ui
