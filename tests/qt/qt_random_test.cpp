// Long seeded random runs on the Qt window, and its memory under many events.
// QUIZ_RANDOM_SEED replays one seed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/qt/qt_driver.h"
#include "tests/scenarios/random_run.h"

namespace quiz::testing {
namespace {

std::uint64_t SeedFromEnvironment(std::uint64_t fallback) {
  const char* text = std::getenv("QUIZ_RANDOM_SEED");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(QtRandomRun, WindowFollowsTheModel) {
  const std::uint64_t seed = SeedFromEnvironment(20261208);
  QtDriver driver;
  const RandomRunResult result = RunRandomEvents(driver, seed, 4000);
  ASSERT_EQ(result.failure, "") << "replay with QUIZ_RANDOM_SEED=" << seed;
  RecordProperty("events", result.events);
  EXPECT_GE(result.events, 1000);
}

}  // namespace
}  // namespace quiz::testing
