// What the window suite needs from a back end; what it cannot tell it answers std::nullopt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "quiz/quiz_form.h"
#include "tests/scenarios/quiz_driver.h"
#include "window/back_end.h"
#include "window/definition.h"
#include "window/keyboard.h"

namespace quiz::testing {

class WindowDriver : public QuizDriver {
 public:
  // The window as the form adapter works it, and its controller.
  virtual ui::BackEnd& back_end() = 0;
  virtual const QuizForm& form() = 0;
  // A user's click on a control.
  virtual void Click(const ui::Control& control) = 0;

  void ClickPerson(int i) override { Click(ui::PersonButton(Index(i))); }
  void ClickAchievement(int i) override { Click(ui::AchievementButton(Index(i))); }
  void ClickCommand(int i) override { Click(ui::CommandButton(Index(i))); }
  std::u16string ResultText() override { return back_end().Text(*ui::ResultBox()); }
  bool PersonSelected(int i) override { return Selected(ui::PersonButton(Index(i))); }
  bool AchievementSelected(int i) override { return Selected(ui::AchievementButton(Index(i))); }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{form().person(), form().achievement()};
  }

  virtual bool HasLayout() { return true; }  // whether it places controls on a screen at all
  virtual int Dpi() { return 96; }           // of Rectangle() and ClientSize()
  virtual std::optional<std::pair<int, int>> ClientSize() { return {}; }  // in device pixels
  // Whether the user cannot resize, minimise or maximise the window.
  virtual std::optional<bool> FixedSize() { return {}; }
  // An entry's live control in its parent's client area, in device pixels; nothing if unbuilt.
  virtual std::optional<ui::PixelRect> Rectangle(const ui::Control&) { return {}; }
  // The entry whose live control contains this one (nullptr: the form's client area).
  virtual const ui::Control* LiveParent(const ui::Control& control) = 0;
  virtual bool Visible(const ui::Control& control) = 0;
  // A colour as drawn (0x00BBGGRR) where no text or border covers the control (the form for
  // nullptr).
  virtual std::optional<std::uint32_t> DrawnColor(const ui::Control*) { return {}; }
  // Whether, where the two overlap, the window system draws upper's pixels over lower's.
  virtual std::optional<bool> DrawnAbove(const ui::Control&, const ui::Control&) { return {}; }
  // The system's colour for text fields (0x00BBGGRR).
  virtual std::optional<std::uint32_t> FieldColor() { return {}; }
  // What of a control's caption, drawn alone, does not show in the window; empty when whole.
  virtual std::optional<std::string> CaptionDefect(const ui::Control&) { return {}; }
  // The strongest contrast of a control's caption with the control's colour.
  virtual std::optional<double> CaptionContrast(const ui::Control&) { return {}; }
  // The colour (0x00BBGGRR) in the middle of an empty option button's indicator.
  virtual std::optional<std::uint32_t> EmptyIndicator(const ui::Control&) { return {}; }

  // How many times a handler's change of the result box was announced since the opening.
  virtual std::optional<int> Announcements() { return {}; }

  // The keyboard, on the control that has the focus.
  virtual void Press(ui::KeyPress key) = 0;
  virtual const ui::Control* Focused() = 0;
  // Whether the focused control shows a focus mark a user can see.
  virtual std::optional<bool> FocusVisible() { return {}; }
  virtual bool Selected(const ui::Control& option) = 0;

 private:
  void Click(const ui::Control* c) {
    if (c != nullptr) Click(*c);
  }
  bool Selected(const ui::Control* c) { return c != nullptr && Selected(*c); }
};

}  // namespace quiz::testing
