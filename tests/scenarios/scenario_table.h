// The user-level scenarios as data: each a name and its steps, clicks and the checks that
// follow them. The GoogleTest suite (scenario_suite.h) replays them on every native back
// end; dump_scenarios writes them as JSON for the browser test. No test framework here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "quiz/content.h"

namespace quiz::testing {

enum class Op : std::uint8_t {
  ClickPerson,          // Option1(arg)
  ClickAchievement,     // Option2(arg)
  ClickCommand,         // Command1(arg)
  TextIs,               // the result box holds exactly `text`
  TextIsRightAnswer,    // the result box holds the right answer for row arg
  TextEndsWith,         // the result box ends with `text`
  PersonSelected,       // Option1(arg) is selected
  PersonNotSelected,    // Option1(arg) is not selected
  AchievementSelected,  // Option2(arg) is selected
  SelectedPeople,       // exactly arg person buttons are selected
  SelectedAchievements,
};

struct Step {
  Op op;
  int arg = 0;
  std::u16string_view text = {};
};

struct Scenario {
  std::string_view name;
  std::span<const Step> steps;
};

// Short names for the steps.
constexpr Step Person(int i) { return {Op::ClickPerson, i}; }
constexpr Step Achievement(int i) { return {Op::ClickAchievement, i}; }
constexpr Step Show() { return {Op::ClickCommand, 0}; }
constexpr Step Clear() { return {Op::ClickCommand, 1}; }
constexpr Step TextIs(std::u16string_view text) { return {Op::TextIs, 0, text}; }
constexpr Step Right(int row) { return {Op::TextIsRightAnswer, row}; }
constexpr Step Wrong() { return {Op::TextIs, 0, u"Грешен отговор!\r\n"}; }
constexpr Step People(int n) { return {Op::SelectedPeople, n}; }
constexpr Step Achievements(int n) { return {Op::SelectedAchievements, n}; }

// "Правилно.", the row's biography, each followed by a line break; nothing for a row the
// content lacks.
inline std::u16string RightAnswer(int row) {
  if (row < 0 || row >= kRowCount) return {};
  return u"Правилно.\r\n" + std::u16string(kQuizRows[static_cast<std::size_t>(row)].biography) +
         u"\r\n";
}

// The text a text check expects.
inline std::u16string ExpectedText(const Step& step) {
  return step.op == Op::TextIsRightAnswer ? RightAnswer(step.arg) : std::u16string(step.text);
}

namespace scenario_steps {

inline constexpr Step kOpens[] = {TextIs(kStatement), People(0), Achievements(0)};

inline constexpr Step kShowWithoutBoth[] = {
    Show(), Wrong(), Person(4), Show(), Wrong(), Clear(), Achievement(4), Show(), Wrong(),
};

inline constexpr Step kEveryPair[] = {
    Person(0),
    Achievement(0),
    Show(),
    Right(0),  //
    Person(1),
    Achievement(1),
    Show(),
    Right(1),  //
    Person(2),
    Achievement(2),
    Show(),
    Right(2),  //
    Person(3),
    Achievement(3),
    Show(),
    Right(3),  //
    Person(4),
    Achievement(4),
    Show(),
    Right(4),  //
    Person(5),
    Achievement(5),
    Show(),
    Right(5),  //
    Person(6),
    Achievement(6),
    Show(),
    Right(6),  //
    Person(7),
    Achievement(7),
    Show(),
    Right(7),  //
    Person(8),
    Achievement(8),
    Show(),
    Right(8),  //
    // Row 3's biography keeps its trailing blank before the final line break.
    Person(3),
    Achievement(3),
    Show(),
    {Op::TextEndsWith, 0, u" \r\n"},
};

// Achievement 2 stands at the height of person 3 on screen, but is another row.
inline constexpr Step kSideBySide[] = {Person(3), Achievement(2), Show(), Wrong()};

inline constexpr Step kLastChoice[] = {
    Person(5), Person(0), Achievement(0), {Op::PersonSelected, 0}, {Op::PersonNotSelected, 5},
    People(1), Show(),    Right(0),
};

inline constexpr Step kIndependent[] = {
    Achievement(6),
    Person(2),
    {Op::AchievementSelected, 6},
    {Op::PersonSelected, 2},
    Achievement(7),
    {Op::PersonSelected, 2},
    People(1),
    Achievements(1),
};

inline constexpr Step kKeepsText[] = {Person(1), Achievement(8), TextIs(kStatement)};

inline constexpr Step kShowTwice[] = {
    Person(7), Achievement(7), Show(), Show(), Right(7), Achievement(1), Show(), Show(), Wrong(),
};

inline constexpr Step kClear[] = {
    Person(6),
    Achievement(6),
    Clear(),
    TextIs(u"Направете своя избор!"),
    People(0),
    Achievements(0),
    Show(),
    Wrong(),
    // Choosing again after clearing works as at the start.
    Person(6),
    Achievement(6),
    Show(),
    Right(6),
};

inline constexpr Step kClickAgain[] = {
    Person(8),
    Person(8),
    Achievement(8),
    Achievement(8),
    {Op::PersonSelected, 8},
    {Op::AchievementSelected, 8},
    Show(),
    Right(8),
};

}  // namespace scenario_steps

inline constexpr Scenario kScenarios[] = {
    {"OpensWithTheStatementAndNothingSelected", scenario_steps::kOpens},
    {"ShowWithoutBothChoicesIsWrong", scenario_steps::kShowWithoutBoth},
    {"EveryMatchingPairShowsItsBiography", scenario_steps::kEveryPair},
    {"PairsThatStandSideBySideButDifferAreWrong", scenario_steps::kSideBySide},
    {"OnlyTheLastChoiceInEachGroupCounts", scenario_steps::kLastChoice},
    {"GroupsAreIndependent", scenario_steps::kIndependent},
    {"ChoosingKeepsTheResultText", scenario_steps::kKeepsText},
    {"ShowingTwiceDoesNotAccumulate", scenario_steps::kShowTwice},
    {"ClearDeselectsEverythingAndForgetsTheChoices", scenario_steps::kClear},
    {"ClickingTheSelectedButtonAgainChangesNothing", scenario_steps::kClickAgain},
};

}  // namespace quiz::testing
