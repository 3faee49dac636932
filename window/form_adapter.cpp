#include "window/form_adapter.h"

#include "window/binding.h"

namespace quiz::ui {

void FormAdapter::Load() { RaiseLoad(form_); }

bool FormAdapter::Click(const Control& control) {
  result_written_ = false;
  if (!RaiseClick(form_, control)) return false;
  if (result_written_) {
    result_written_ = false;
    const Control* box = ResultBox();
    if (box != nullptr && box->live != LiveSetting::Off) back_end_.Announce(*box);
  }
  return true;
}

void FormAdapter::DeselectPerson(std::int16_t index) {
  if (const Control* button = PersonButton(index)) back_end_.SetSelected(*button, false);
}

void FormAdapter::DeselectAchievement(std::int16_t index) {
  if (const Control* button = AchievementButton(index)) back_end_.SetSelected(*button, false);
}

std::u16string FormAdapter::ResultText() const {
  const Control* box = ResultBox();
  return box != nullptr ? back_end_.Text(*box) : std::u16string();
}

void FormAdapter::SetResultText(std::u16string_view text) {
  const Control* box = ResultBox();
  if (box == nullptr) return;
  back_end_.SetText(*box, text);
  result_written_ = true;
}

std::optional<std::u16string> FormAdapter::Biography(std::int16_t index) const {
  const Control* list = BiographyList();
  if (list == nullptr) return std::nullopt;
  return back_end_.Item(*list, index);
}

}  // namespace quiz::ui
