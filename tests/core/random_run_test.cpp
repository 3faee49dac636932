// Long seeded random runs on the in-memory window. QUIZ_RANDOM_SEED replays one seed.
#include "tests/scenarios/random_run.h"

#include <gtest/gtest.h>

#include "tests/core/headless_driver.h"

namespace quiz::testing {
namespace {

TEST(RandomRun, HeadlessWindowFollowsTheModelForLongRuns) {
  const std::uint64_t seed = RandomSeed();
  int played = 0;
  for (std::uint64_t s = seed; s < seed + 4; ++s) {
    HeadlessDriver driver;
    const RandomRunResult result = RunRandomEvents(driver, s, 30000);
    ASSERT_EQ(result.failure, "") << "replay with QUIZ_RANDOM_SEED=" << s;
    played += result.events;
  }
  RecordProperty("events", played);
  EXPECT_GE(played, 100000);
}

// A window whose clear only rewrites the text: the run must notice and name the seed.
class ForgetfulDriver : public HeadlessDriver {
 public:
  void ClickCommand(int i) override {
    if (i == 1) {
      window_.SetText(*ui::ResultBox(), kMakeYourChoice);
    } else {
      HeadlessDriver::ClickCommand(i);
    }
  }
};

TEST(RandomRun, ReportsTheSeedOfADivergence) {
  ForgetfulDriver driver;
  const RandomRunResult result = RunRandomEvents(driver, 7, 10000);
  EXPECT_NE(result.failure.find("seed 7, event "), std::string::npos) << result.failure;
  EXPECT_LT(result.events, 10000);
}

}  // namespace
}  // namespace quiz::testing
