// A window without a screen: every control of the definition held in memory, with the
// behaviour the controller relies on and the keyboard. It is the reference the GUI back ends
// are tested against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "window/back_end.h"
#include "window/form_adapter.h"
#include "window/keyboard.h"

namespace quiz::ui::headless {

class HeadlessWindow final : public BackEnd {
 public:
  // Builds every control from the definition, then raises the load event.
  HeadlessWindow();

  // What the form adapter asks of the window.
  void SetSelected(const Control& option, bool selected) override;
  std::u16string Text(const Control& box) const override;
  void SetText(const Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const Control& list, std::int16_t index) const override;
  void Announce(const Control& box) override;

  // A user's click on a control. An option button becomes the one selected in its frame.
  void Click(const Control& control);
  // A key pressed on the control with the focus, answered by the keyboard model.
  void Press(KeyPress key);
  const Control* focus() const { return focus_; }
  bool IsSelected(const Control& option) const;
  const QuizForm& form() const { return adapter_.form(); }
  // How many times a handler's change of the result box was announced.
  int announcements() const { return announcements_; }

 private:
  struct LiveControl {
    const Control* def;
    bool selected = false;
    std::u16string text;
    std::vector<std::u16string> items;
  };
  LiveControl* Live(const Control& control);
  const LiveControl* Live(const Control& control) const;

  std::vector<LiveControl> controls_;  // in definition order
  int announcements_ = 0;
  FormAdapter adapter_{*this};
  const Control* focus_ = nullptr;
};

}  // namespace quiz::ui::headless
