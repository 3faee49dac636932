// The user-level scenarios on the in-memory window.
#include "tests/core/headless_driver.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"

namespace quiz::testing {
namespace {

QUIZ_SCENARIO_ROWS(Headless, HeadlessDriver);
QUIZ_KEY_RUN_ROWS(Headless, HeadlessDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, WindowConformance, HeadlessDriver);

// Each press of a command button that writes the result box is announced once, with its
// final text; choosing a button writes nothing and announces nothing.
TEST(HeadlessWindow, EachResultIsAnnouncedOnce) {
  ui::headless::HeadlessWindow window;
  EXPECT_EQ(window.announcements(), 0);  // the load writes no text
  window.Click(*ui::PersonButton(3));
  window.Click(*ui::AchievementButton(3));
  EXPECT_EQ(window.announcements(), 0);
  window.Click(*ui::CommandButton(0));  // two writes: "Правилно." then the whole answer
  EXPECT_EQ(window.announcements(), 1);
  window.Click(*ui::CommandButton(0));
  window.Click(*ui::CommandButton(1));
  EXPECT_EQ(window.announcements(), 3);
}

}  // namespace
}  // namespace quiz::testing
