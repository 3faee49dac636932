// The scenario and keyboard tables as tests, one a row, each on a window just opened and
// named by its row, so that each passes or fails on its own and can be run alone:
// QUIZ_SCENARIO_ROWS(Qt, QtDriver) makes QtScenario.Plays/GroupsAreIndependent and the
// others, QUIZ_KEY_RUN_ROWS(Qt, QtDriver) QtKeyRun.Plays/TabCycle and the others.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "quiz/content.h"
#include "tests/scenarios/keyboard_table.h"
#include "tests/scenarios/scenario_table.h"
#include "tests/scenarios/text_printer.h"
#include "tests/scenarios/window_driver.h"

namespace quiz::testing {

// The selected buttons of an array, by name: "Option1(3)", "" for none.
inline std::string SelectedIn(WindowDriver& d, std::u16string_view name) {
  std::string selected;
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    const ui::Control* c = ui::Find(name, i);
    if (c != nullptr && d.Selected(*c)) selected += (selected.empty() ? "" : ", ") + Label(c);
  }
  return selected;
}

// Presses the run's keys, each checked for the focus, the selected buttons, the choices, the
// result box and a visible focus mark; the first step that fails ends the run.
inline void PlayKeyRun(WindowDriver& d, const KeyRun& run) {
  ASSERT_EQ(Label(d.Focused()), kStartFocus) << "focus at start";
  int n = 0;
  for (const KeyStep& step : run.steps) {
    d.Press(step.key);
    const std::string where = "step " + std::to_string(++n) + " (" + KeyName(step.key) + ")";
    EXPECT_EQ(Label(d.Focused()), step.focus) << where << ": focus";
    EXPECT_EQ(SelectedIn(d, u"Option1"), step.person) << where << ": selected person";
    EXPECT_EQ(SelectedIn(d, u"Option2"), step.achievement) << where << ": selected achievement";
    if (const auto choices = d.Choices()) {
      EXPECT_EQ(*choices, (std::pair<int, int>{step.chosen_person, step.chosen_achievement}))
          << where << ": choices";
    }
    EXPECT_EQ(ToUtf8(d.ResultText()), ToUtf8(ExpectedResult(step.result)))
        << where << ": result box";
    if (const auto visible = d.FocusVisible()) {
      EXPECT_TRUE(*visible) << where << ": no focus mark on " << step.focus;
    }
    if (::testing::Test::HasFailure()) return;  // later steps build on this one
  }
}

template <typename Driver>
class ScenarioRow : public ::testing::TestWithParam<Scenario> {
 protected:
  void Play() {
    Driver driver;
    EXPECT_EQ(PlayScenario(driver, GetParam()), "");
  }
};

template <typename Driver>
class KeyRunRow : public ::testing::TestWithParam<KeyRun> {
 protected:
  void Play() {
    Driver driver;
    PlayKeyRun(driver, GetParam());
  }
};

// A row by its name, in its test's name and messages.
inline void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }
inline void PrintTo(const KeyRun& row, std::ostream* out) { *out << row.name; }

}  // namespace quiz::testing

#define QUIZ_SCENARIO_ROWS(Name, Driver)                                                       \
  using Name##Scenario = ::quiz::testing::ScenarioRow<Driver>;                                 \
  TEST_P(Name##Scenario, Plays) { Play(); }                                                    \
  INSTANTIATE_TEST_SUITE_P(, Name##Scenario, ::testing::ValuesIn(::quiz::testing::kScenarios), \
                           ::testing::PrintToStringParamName())

#define QUIZ_KEY_RUN_ROWS(Name, Driver)                                                    \
  using Name##KeyRun = ::quiz::testing::KeyRunRow<Driver>;                                 \
  TEST_P(Name##KeyRun, Plays) { Play(); }                                                  \
  INSTANTIATE_TEST_SUITE_P(, Name##KeyRun, ::testing::ValuesIn(::quiz::testing::kKeyRuns), \
                           ::testing::PrintToStringParamName())
