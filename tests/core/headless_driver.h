// The scenario driver for the in-memory window.
#pragma once

#include "tests/scenarios/quiz_driver.h"
#include "window/headless/headless_window.h"

namespace quiz::testing {

class HeadlessDriver : public QuizDriver {
 public:
  void ClickPerson(int i) override { Click(ui::PersonButton(Index(i))); }
  void ClickAchievement(int i) override { Click(ui::AchievementButton(Index(i))); }
  void ClickCommand(int i) override { Click(ui::CommandButton(Index(i))); }
  std::u16string ResultText() override { return window_.Text(*ui::ResultBox()); }
  bool PersonSelected(int i) override { return Selected(ui::PersonButton(Index(i))); }
  bool AchievementSelected(int i) override { return Selected(ui::AchievementButton(Index(i))); }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{window_.form().person(), window_.form().achievement()};
  }

 protected:
  void Click(const ui::Control* c) {
    if (c != nullptr) window_.Click(*c);
  }
  bool Selected(const ui::Control* c) { return c != nullptr && window_.IsSelected(*c); }
  ui::HeadlessWindow window_;
};

}  // namespace quiz::testing
