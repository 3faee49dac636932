#include "window/web/web_window.h"

namespace quiz::ui::web {

WebWindow::WebWindow(const PageCalls& page, AnswerListener* answers)
    : page_(page), answers_(answers) {
  for (const Control& c : Controls()) {
    texts_.emplace_back(c.kind == Kind::TextBox ? c.caption : std::u16string_view());
  }
}

std::optional<std::size_t> WebWindow::PositionOf(const Control& control, Kind kind) {
  if (control.kind != kind) return std::nullopt;
  return ui::PositionOf(control);
}

bool WebWindow::Click(std::size_t position) {
  const std::span<const Control> controls = Controls();
  return position < controls.size() && Deliver(controls[position]);
}

bool WebWindow::Deliver(const Control& control) {
  const QuizForm& form = adapter_.form();
  const std::int16_t person = form.person(), achievement = form.achievement();
  if (!adapter_.Click(control)) return false;
  if (answers_ != nullptr && &control == CommandButton(0)) {
    answers_->Answered(person, achievement);
  }
  return true;
}

const Control* WebWindow::Key(const Control* focus, KeyPress press) {
  const KeyOutcome outcome =
      AnswerKey(focus, press, [this](const Control& option) { return IsSelected(option); });
  switch (outcome.action) {
    case KeyAction::Pass:
      return nullptr;
    case KeyAction::Ignore:
      return focus;
    case KeyAction::Focus:
      return outcome.target;
    case KeyAction::Choose:
    case KeyAction::Press:
      if (outcome.target->kind == Kind::OptionButton) SetSelected(*outcome.target, true);
      Deliver(*outcome.target);
      return outcome.target;
  }
  return nullptr;
}

void WebWindow::SetSelected(const Control& option, bool selected) {
  if (const auto at = PositionOf(option, Kind::OptionButton)) {
    page_.set_selected(*at, selected ? 1u : 0u);
  }
}

bool WebWindow::IsSelected(const Control& option) const {
  const auto at = PositionOf(option, Kind::OptionButton);
  return at && page_.is_selected(*at) != 0;
}

std::u16string WebWindow::Text(const Control& box) const {
  const auto at = PositionOf(box, Kind::TextBox);
  return at ? texts_[*at] : std::u16string();
}

void WebWindow::SetText(const Control& box, std::u16string_view text) {
  const auto at = PositionOf(box, Kind::TextBox);
  if (!at) return;
  std::u16string& kept = texts_[*at];
  kept = text;
  page_.set_text(*at, kept.data(), kept.size());
}

std::optional<std::u16string> WebWindow::Item(const Control& list, std::int16_t index) const {
  if (!PositionOf(list, Kind::ListBox) || index < 0) return std::nullopt;
  const auto i = static_cast<std::size_t>(index);
  if (i >= list.items.size()) return std::nullopt;
  return std::u16string(list.items[i]);
}

void WebWindow::Announce(const Control& box) {
  if (const auto at = PositionOf(box, Kind::TextBox)) page_.announce(*at);
}

}  // namespace quiz::ui::web
