// A window without a screen: every control of the definition held in memory, with the
// behaviour the controller relies on. It is the reference the GUI back ends are tested against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_form.h"
#include "window/definition.h"

namespace quiz::ui {

class HeadlessWindow final : public FormControls {
 public:
  // Builds every control from the definition, then raises the load event.
  HeadlessWindow();

  // A user's click on a control. An option button becomes the one selected in its frame.
  // Returns false where the window has no such control.
  bool Click(std::u16string_view name, std::int16_t index);
  bool IsSelected(std::u16string_view name, std::int16_t index) const;
  const QuizForm& form() const { return form_; }

  void DeselectOption1(std::int16_t index) override;
  void DeselectOption2(std::int16_t index) override;
  std::u16string Text1() const override;
  void SetText1(std::u16string_view text) override;
  std::optional<std::u16string> List1Item(std::int16_t index) const override;

 private:
  struct LiveControl {
    const Control* def;
    bool selected = false;
    std::u16string text;
    std::vector<std::u16string> items;
  };
  LiveControl* Lookup(std::u16string_view name, std::int16_t index);
  const LiveControl* Lookup(std::u16string_view name, std::int16_t index) const;

  std::vector<LiveControl> controls_;  // in definition order
  QuizForm form_{*this};
};

}  // namespace quiz::ui
