// The user-level scenarios every back end must pass, replayed from the scenario table. A
// back end's test file includes this header and instantiates the suite with its driver:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, QuizScenario, QtDriver);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/scenarios/quiz_driver.h"
#include "tests/scenarios/scenario_table.h"
#include "tests/scenarios/text_printer.h"

namespace quiz::testing {

template <typename Driver>
class QuizScenario : public ::testing::Test {
 protected:
  int SelectedPeople() {
    int n = 0;
    for (int i = 0; i < kRowCount; ++i) n += driver_.PersonSelected(i) ? 1 : 0;
    return n;
  }
  int SelectedAchievements() {
    int n = 0;
    for (int i = 0; i < kRowCount; ++i) n += driver_.AchievementSelected(i) ? 1 : 0;
    return n;
  }

  // Plays the scenario of this name from the table, checking as it goes.
  void Play(std::string_view name) {
    const auto* scenario = std::find_if(std::begin(kScenarios), std::end(kScenarios),
                                        [&](const Scenario& s) { return s.name == name; });
    ASSERT_NE(scenario, std::end(kScenarios)) << "no scenario " << name;
    auto& d = driver_;
    int number = 0;
    for (const Step& step : scenario->steps) {
      SCOPED_TRACE("step " + std::to_string(++number));
      switch (step.op) {
        case Op::ClickPerson:
          d.ClickPerson(step.arg);
          break;
        case Op::ClickAchievement:
          d.ClickAchievement(step.arg);
          break;
        case Op::ClickCommand:
          d.ClickCommand(step.arg);
          break;
        case Op::TextIs:
        case Op::TextIsRightAnswer:
          EXPECT_EQ(d.ResultText(), ExpectedText(step));
          break;
        case Op::TextEndsWith: {
          const std::u16string text = d.ResultText();
          ASSERT_GE(text.size(), step.text.size());
          EXPECT_EQ(text.substr(text.size() - step.text.size()), step.text);
          break;
        }
        case Op::PersonSelected:
          EXPECT_TRUE(d.PersonSelected(step.arg)) << "person " << step.arg;
          break;
        case Op::PersonNotSelected:
          EXPECT_FALSE(d.PersonSelected(step.arg)) << "person " << step.arg;
          break;
        case Op::AchievementSelected:
          EXPECT_TRUE(d.AchievementSelected(step.arg)) << "achievement " << step.arg;
          break;
        case Op::SelectedPeople:
          EXPECT_EQ(SelectedPeople(), step.arg);
          break;
        case Op::SelectedAchievements:
          EXPECT_EQ(SelectedAchievements(), step.arg);
          break;
      }
    }
  }

  Driver driver_;
};

TYPED_TEST_SUITE_P(QuizScenario);

// One test for each scenario of the table, by its name.
static_assert(std::size(kScenarios) == 10, "a new scenario needs its TYPED_TEST_P below");

TYPED_TEST_P(QuizScenario, OpensWithTheStatementAndNothingSelected) {
  this->Play("OpensWithTheStatementAndNothingSelected");
}
TYPED_TEST_P(QuizScenario, ShowWithoutBothChoicesIsWrong) {
  this->Play("ShowWithoutBothChoicesIsWrong");
}
TYPED_TEST_P(QuizScenario, EveryMatchingPairShowsItsBiography) {
  this->Play("EveryMatchingPairShowsItsBiography");
}
TYPED_TEST_P(QuizScenario, PairsThatStandSideBySideButDifferAreWrong) {
  this->Play("PairsThatStandSideBySideButDifferAreWrong");
}
TYPED_TEST_P(QuizScenario, OnlyTheLastChoiceInEachGroupCounts) {
  this->Play("OnlyTheLastChoiceInEachGroupCounts");
}
TYPED_TEST_P(QuizScenario, GroupsAreIndependent) { this->Play("GroupsAreIndependent"); }
TYPED_TEST_P(QuizScenario, ChoosingKeepsTheResultText) { this->Play("ChoosingKeepsTheResultText"); }
TYPED_TEST_P(QuizScenario, ShowingTwiceDoesNotAccumulate) {
  this->Play("ShowingTwiceDoesNotAccumulate");
}
TYPED_TEST_P(QuizScenario, ClearDeselectsEverythingAndForgetsTheChoices) {
  this->Play("ClearDeselectsEverythingAndForgetsTheChoices");
}
TYPED_TEST_P(QuizScenario, ClickingTheSelectedButtonAgainChangesNothing) {
  this->Play("ClickingTheSelectedButtonAgainChangesNothing");
}

REGISTER_TYPED_TEST_SUITE_P(QuizScenario, OpensWithTheStatementAndNothingSelected,
                            ShowWithoutBothChoicesIsWrong, EveryMatchingPairShowsItsBiography,
                            PairsThatStandSideBySideButDifferAreWrong,
                            OnlyTheLastChoiceInEachGroupCounts, GroupsAreIndependent,
                            ChoosingKeepsTheResultText, ShowingTwiceDoesNotAccumulate,
                            ClearDeselectsEverythingAndForgetsTheChoices,
                            ClickingTheSelectedButtonAgainChangesNothing);

}  // namespace quiz::testing
