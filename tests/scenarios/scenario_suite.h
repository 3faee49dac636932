// Every scenario of the table, each on a fresh window; a back end's test instantiates the
// suite with its driver.
#pragma once

#include <gtest/gtest.h>

#include "tests/scenarios/scenario_table.h"

namespace quiz::testing {

template <typename Driver>
class QuizScenario : public ::testing::Test {};

TYPED_TEST_SUITE_P(QuizScenario);

TYPED_TEST_P(QuizScenario, EveryScenarioOfTheTable) {
  for (const Scenario& scenario : kScenarios) {
    TypeParam driver;  // each scenario on a window just opened
    EXPECT_EQ(PlayScenario(driver, scenario), "") << scenario.name;
  }
}

REGISTER_TYPED_TEST_SUITE_P(QuizScenario, EveryScenarioOfTheTable);

}  // namespace quiz::testing
