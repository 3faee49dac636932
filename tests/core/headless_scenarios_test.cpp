// The user-level scenarios on the in-memory window.
#include "tests/core/headless_driver.h"
#include "tests/scenarios/scenario_suite.h"

namespace quiz::testing {
namespace {

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
