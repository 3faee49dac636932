#include "window/headless/headless_window.h"

namespace quiz::ui::headless {

HeadlessWindow::HeadlessWindow() {
  for (const Control& def : Controls()) {
    LiveControl live{&def, false, std::u16string(def.caption), {}};
    live.items.assign(def.items.begin(), def.items.end());
    controls_.push_back(std::move(live));
  }
  adapter_.Load();
  focus_ = FirstFocus([this](const Control& o) { return IsSelected(o); });
}

HeadlessWindow::LiveControl* HeadlessWindow::Live(const Control& control) {
  const auto position = PositionOf(control);
  return position && *position < controls_.size() ? &controls_[*position] : nullptr;
}

const HeadlessWindow::LiveControl* HeadlessWindow::Live(const Control& control) const {
  return const_cast<HeadlessWindow*>(this)->Live(control);
}

void HeadlessWindow::Click(const Control& control) {
  LiveControl* target = Live(control);
  if (target == nullptr) return;
  SetSelected(control, true);
  adapter_.Click(control);
}

void HeadlessWindow::Press(KeyPress key) {
  const KeyOutcome outcome =
      AnswerKey(focus_, key, [this](const Control& o) { return IsSelected(o); });
  switch (outcome.action) {
    case KeyAction::Focus:
      focus_ = outcome.target;
      break;
    case KeyAction::Choose:
      focus_ = outcome.target;
      Click(*outcome.target);
      break;
    case KeyAction::Press:
      Click(*outcome.target);
      break;
    case KeyAction::Pass:
    case KeyAction::Ignore:
      break;
  }
}

// Selecting a button deselects the others of its group.
void HeadlessWindow::SetSelected(const Control& option, bool selected) {
  LiveControl* target = Live(option);
  if (option.kind != Kind::OptionButton || target == nullptr) return;
  for (LiveControl& c : controls_) {
    if (selected && c.def->kind == Kind::OptionButton && c.def->parent == option.parent) {
      c.selected = false;
    }
  }
  target->selected = selected;
}

bool HeadlessWindow::IsSelected(const Control& option) const {
  const LiveControl* c = Live(option);
  return c != nullptr && c->selected;
}

std::u16string HeadlessWindow::Text(const Control& box) const {
  const LiveControl* c = Live(box);
  return c != nullptr && box.kind == Kind::TextBox ? c->text : std::u16string();
}

void HeadlessWindow::SetText(const Control& box, std::u16string_view text) {
  if (box.kind != Kind::TextBox) return;
  if (LiveControl* c = Live(box)) c->text = text;
}

std::optional<std::u16string> HeadlessWindow::Item(const Control& list, std::int16_t index) const {
  const LiveControl* c = Live(list);
  if (c == nullptr || index < 0 || static_cast<std::size_t>(index) >= c->items.size()) {
    return std::nullopt;
  }
  return c->items[static_cast<std::size_t>(index)];
}

void HeadlessWindow::Announce(const Control& /*box*/) { ++announcements_; }

}  // namespace quiz::ui::headless
