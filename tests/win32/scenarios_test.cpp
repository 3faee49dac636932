// The user-level scenarios, the window-conformance suite and long random runs on the
// Windows program's window.
#include "tests/scenarios/random_run.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"
#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, QuizScenario, Win32Driver);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowConformance, Win32Driver);

TEST(Win32RandomRun, WindowFollowsTheModel) {
  const std::uint64_t seed = RandomSeed();
  Win32Driver driver;
  const RandomRunResult result = RunRandomEvents(driver, seed, 3000);
  ASSERT_EQ(result.failure, "") << "replay with QUIZ_RANDOM_SEED=" << seed;
  EXPECT_EQ(result.events, 3000);
}

}  // namespace
}  // namespace quiz::testing
