// The user-level scenarios on the in-memory window.
#include "tests/scenarios/scenario_suite.h"
#include "window/headless/headless_window.h"

namespace quiz::testing {
namespace {

class HeadlessDriver : public QuizDriver {
 public:
  void ClickPerson(int i) override { window_.Click(u"Option1", static_cast<std::int16_t>(i)); }
  void ClickAchievement(int i) override { window_.Click(u"Option2", static_cast<std::int16_t>(i)); }
  void ClickCommand(int i) override { window_.Click(u"Command1", static_cast<std::int16_t>(i)); }
  std::u16string ResultText() override { return window_.Text1(); }
  bool PersonSelected(int i) override {
    return window_.IsSelected(u"Option1", static_cast<std::int16_t>(i));
  }
  bool AchievementSelected(int i) override {
    return window_.IsSelected(u"Option2", static_cast<std::int16_t>(i));
  }

 private:
  ui::HeadlessWindow window_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, QuizScenario, HeadlessDriver);

TEST(HeadlessWindow, ClicksOnControlsItLacksChangeNothing) {
  ui::HeadlessWindow window;
  EXPECT_TRUE(window.Click(u"Option1", 2));
  EXPECT_FALSE(window.Click(u"Option1", 9));
  EXPECT_FALSE(window.Click(u"Option2", -1));
  EXPECT_FALSE(window.Click(u"Command1", 2));
  EXPECT_TRUE(window.Click(u"Frame1", 0));  // exists, but no handler is bound to it
  EXPECT_EQ(window.form().person(), 2);
  EXPECT_EQ(window.form().achievement(), -15);
  EXPECT_TRUE(window.IsSelected(u"Option1", 2));
  EXPECT_FALSE(window.List1Item(9).has_value());
  EXPECT_FALSE(window.List1Item(-1).has_value());
}

}  // namespace
}  // namespace quiz::testing
