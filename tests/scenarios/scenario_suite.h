// The user-level scenarios every back end must pass. A back end's test file includes this
// header and instantiates the suite with its driver:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, QuizScenario, QtDriver);
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/quiz_driver.h"
#include "tests/scenarios/text_printer.h"

namespace quiz::testing {

inline std::u16string RightAnswer(int row) {
  std::u16string text(kRightAnswer);
  text += kCrLf;
  text += kQuizRows[static_cast<std::size_t>(row)].biography;
  text += kCrLf;
  return text;
}

inline std::u16string WrongAnswer() { return std::u16string(kWrongAnswer) + std::u16string(kCrLf); }

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
  Driver driver_;
};

TYPED_TEST_SUITE_P(QuizScenario);

TYPED_TEST_P(QuizScenario, OpensWithTheStatementAndNothingSelected) {
  EXPECT_EQ(this->driver_.ResultText(), std::u16string(kStatement));
  EXPECT_EQ(this->SelectedPeople(), 0);
  EXPECT_EQ(this->SelectedAchievements(), 0);
}

TYPED_TEST_P(QuizScenario, ShowWithoutBothChoicesIsWrong) {
  auto& d = this->driver_;
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
  d.ClickPerson(4);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
  d.ClickCommand(1);
  d.ClickAchievement(4);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
}

TYPED_TEST_P(QuizScenario, EveryMatchingPairShowsItsBiography) {
  auto& d = this->driver_;
  for (int row = 0; row < kRowCount; ++row) {
    d.ClickPerson(row);
    d.ClickAchievement(row);
    d.ClickCommand(0);
    EXPECT_EQ(d.ResultText(), RightAnswer(row)) << "row " << row;
  }
  // Row 3's biography keeps its trailing blank before the final line break.
  d.ClickPerson(3);
  d.ClickAchievement(3);
  d.ClickCommand(0);
  const std::u16string text = d.ResultText();
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(text.size() - 3), u" \r\n");
}

TYPED_TEST_P(QuizScenario, PairsThatStandSideBySideButDifferAreWrong) {
  auto& d = this->driver_;
  d.ClickPerson(3);
  d.ClickAchievement(2);  // at the height of person 3 on screen, but another row
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
}

TYPED_TEST_P(QuizScenario, OnlyTheLastChoiceInEachGroupCounts) {
  auto& d = this->driver_;
  d.ClickPerson(5);
  d.ClickPerson(0);
  d.ClickAchievement(0);
  EXPECT_TRUE(d.PersonSelected(0));
  EXPECT_FALSE(d.PersonSelected(5));
  EXPECT_EQ(this->SelectedPeople(), 1);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), RightAnswer(0));
}

TYPED_TEST_P(QuizScenario, GroupsAreIndependent) {
  auto& d = this->driver_;
  d.ClickAchievement(6);
  d.ClickPerson(2);
  EXPECT_TRUE(d.AchievementSelected(6));
  EXPECT_TRUE(d.PersonSelected(2));
  d.ClickAchievement(7);
  EXPECT_TRUE(d.PersonSelected(2));
  EXPECT_EQ(this->SelectedPeople(), 1);
  EXPECT_EQ(this->SelectedAchievements(), 1);
}

TYPED_TEST_P(QuizScenario, ChoosingKeepsTheResultText) {
  auto& d = this->driver_;
  d.ClickPerson(1);
  d.ClickAchievement(8);
  EXPECT_EQ(d.ResultText(), std::u16string(kStatement));
}

TYPED_TEST_P(QuizScenario, ShowingTwiceDoesNotAccumulate) {
  auto& d = this->driver_;
  d.ClickPerson(7);
  d.ClickAchievement(7);
  d.ClickCommand(0);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), RightAnswer(7));
  d.ClickAchievement(1);
  d.ClickCommand(0);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
}

TYPED_TEST_P(QuizScenario, ClearDeselectsEverythingAndForgetsTheChoices) {
  auto& d = this->driver_;
  d.ClickPerson(6);
  d.ClickAchievement(6);
  d.ClickCommand(1);
  EXPECT_EQ(d.ResultText(), std::u16string(kMakeYourChoice));
  EXPECT_EQ(this->SelectedPeople(), 0);
  EXPECT_EQ(this->SelectedAchievements(), 0);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), WrongAnswer());
  // Choosing again after clearing works as at the start.
  d.ClickPerson(6);
  d.ClickAchievement(6);
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), RightAnswer(6));
}

TYPED_TEST_P(QuizScenario, ClickingTheSelectedButtonAgainChangesNothing) {
  auto& d = this->driver_;
  d.ClickPerson(8);
  d.ClickPerson(8);
  d.ClickAchievement(8);
  d.ClickAchievement(8);
  EXPECT_TRUE(d.PersonSelected(8));
  EXPECT_TRUE(d.AchievementSelected(8));
  d.ClickCommand(0);
  EXPECT_EQ(d.ResultText(), RightAnswer(8));
}

REGISTER_TYPED_TEST_SUITE_P(QuizScenario, OpensWithTheStatementAndNothingSelected,
                            ShowWithoutBothChoicesIsWrong, EveryMatchingPairShowsItsBiography,
                            PairsThatStandSideBySideButDifferAreWrong,
                            OnlyTheLastChoiceInEachGroupCounts, GroupsAreIndependent,
                            ChoosingKeepsTheResultText, ShowingTwiceDoesNotAccumulate,
                            ClearDeselectsEverythingAndForgetsTheChoices,
                            ClickingTheSelectedButtonAgainChangesNothing);

}  // namespace quiz::testing
