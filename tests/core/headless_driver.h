// The scenario driver for the in-memory window.
#pragma once

#include "tests/scenarios/quiz_driver.h"
#include "window/headless/headless_window.h"

namespace quiz::testing {

class HeadlessDriver : public QuizDriver {
 public:
  void ClickPerson(int i) override { window_.Click(u"Option1", Index(i)); }
  void ClickAchievement(int i) override { window_.Click(u"Option2", Index(i)); }
  void ClickCommand(int i) override { window_.Click(u"Command1", Index(i)); }
  std::u16string ResultText() override { return window_.Text1(); }
  bool PersonSelected(int i) override { return window_.IsSelected(u"Option1", Index(i)); }
  bool AchievementSelected(int i) override { return window_.IsSelected(u"Option2", Index(i)); }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{window_.form().person(), window_.form().achievement()};
  }

 protected:
  static std::int16_t Index(int i) { return static_cast<std::int16_t>(i); }
  ui::HeadlessWindow window_;
};

}  // namespace quiz::testing
