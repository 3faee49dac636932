// The user-level scenarios as data: each a name and its steps, clicks and the checks that
// follow them, and the one player that replays a scenario on any driver. The GoogleTest
// suite (scenario_suite.h) plays every row on each native back end; dump_scenarios plays
// them on the reference model and writes the expected states for the browser test. A new
// scenario is a new row of kScenarios. No test framework here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "quiz/content.h"
#include "tests/scenarios/quiz_driver.h"
#include "tests/scenarios/text_printer.h"

namespace quiz::testing {

// The result texts, as the user reads them.
inline constexpr std::u16string_view kRightText = u"Правилно.\r\n";
inline constexpr std::u16string_view kWrongText = u"Грешен отговор!\r\n";
inline constexpr std::u16string_view kClearedText = u"Направете своя избор!";

// "Правилно.", the row's biography, each followed by a line break; nothing for a row the
// content lacks.
inline std::u16string RightAnswer(int row) {
  if (row < 0 || row >= kRowCount) return {};
  return std::u16string(kRightText) +
         std::u16string(kQuizRows[static_cast<std::size_t>(row)].biography) + u"\r\n";
}

// The result box by what it shows, as the tables name it: "statement", "wrong", "clear", or
// "right N" for row N's answer.
inline std::u16string ExpectedResult(std::string_view result) {
  if (result == "statement") return std::u16string(kStatement);
  if (result == "wrong") return std::u16string(kWrongText);
  if (result == "clear") return std::u16string(kClearedText);
  return RightAnswer(result.substr(0, 6) == "right " ? result.back() - '0' : -1);
}

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
  Op op = Op::TextIs;
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
constexpr Step Wrong() { return {Op::TextIs, 0, kWrongText}; }
constexpr Step People(int n) { return {Op::SelectedPeople, n}; }
constexpr Step Achievements(int n) { return {Op::SelectedAchievements, n}; }

namespace scenario_steps {

inline constexpr Step kOpens[] = {TextIs(kStatement), People(0), Achievements(0)};

inline constexpr Step kShowWithoutBoth[] = {
    Show(), Wrong(), Person(4), Show(), Wrong(), Clear(), Achievement(4), Show(), Wrong(),
};

// Each row's pair in turn, then row 3's biography again: it keeps its trailing blank before
// the final line break.
inline constexpr auto kEveryPair = [] {
  std::array<Step, 4 * kRowCount + 4> steps{};
  for (int row = 0; row <= kRowCount; ++row) {
    const int i = row < kRowCount ? row : 3;
    steps[static_cast<std::size_t>(4 * row)] = Person(i);
    steps[static_cast<std::size_t>(4 * row + 1)] = Achievement(i);
    steps[static_cast<std::size_t>(4 * row + 2)] = Show();
    steps[static_cast<std::size_t>(4 * row + 3)] =
        row < kRowCount ? Right(i) : Step{Op::TextEndsWith, 0, u" \r\n"};
  }
  return steps;
}();

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

// Choosing again after clearing works as at the start.
inline constexpr Step kClear[] = {
    Person(6), Achievement(6), Clear(),   TextIs(kClearedText), People(0), Achievements(0),
    Show(),    Wrong(),        Person(6), Achievement(6),       Show(),    Right(6),
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

// What a window shows, in one line: the selected buttons, the choices where asked and the
// driver knows them, and the text.
inline std::string Shown(QuizDriver& d, bool with_choices = true) {
  std::string people, achievements;
  for (int i = 0; i < kRowCount; ++i) {
    if (d.PersonSelected(i)) people += " " + std::to_string(i);
    if (d.AchievementSelected(i)) achievements += " " + std::to_string(i);
  }
  std::string shown = "people [" + people + " ], achievements [" + achievements + " ]";
  if (const auto choices = d.Choices(); choices && with_choices) {
    shown += ", choices " + std::to_string(choices->first) + "/" + std::to_string(choices->second);
  }
  return shown + ", text \"" + ToUtf8(d.ResultText()) + "\"";
}

// Plays one step: a click on the driver, or a check of what it shows; false where the
// check fails.
inline bool Holds(QuizDriver& d, const Step& step) {
  const auto count = [](auto selected) {
    int n = 0;
    for (int i = 0; i < kRowCount; ++i) n += selected(i) ? 1 : 0;
    return n;
  };
  switch (step.op) {
    case Op::ClickPerson:
      d.ClickPerson(step.arg);
      return true;
    case Op::ClickAchievement:
      d.ClickAchievement(step.arg);
      return true;
    case Op::ClickCommand:
      d.ClickCommand(step.arg);
      return true;
    case Op::TextIs:
      return d.ResultText() == step.text;
    case Op::TextIsRightAnswer:
      return d.ResultText() == RightAnswer(step.arg);
    case Op::TextEndsWith:
      return d.ResultText().ends_with(step.text);
    case Op::PersonSelected:
      return d.PersonSelected(step.arg);
    case Op::PersonNotSelected:
      return !d.PersonSelected(step.arg);
    case Op::AchievementSelected:
      return d.AchievementSelected(step.arg);
    case Op::SelectedPeople:
      return count([&](int i) { return d.PersonSelected(i); }) == step.arg;
    case Op::SelectedAchievements:
      return count([&](int i) { return d.AchievementSelected(i); }) == step.arg;
  }
  return false;
}

// Plays a scenario on a driver: each failed check, by step number, with what the window
// shows; empty where all hold.
inline std::string PlayScenario(QuizDriver& d, const Scenario& scenario) {
  std::string failures;
  for (std::size_t n = 0; n < scenario.steps.size(); ++n) {
    if (!Holds(d, scenario.steps[n])) {
      failures += "step " + std::to_string(n + 1) + " fails; shown: " + Shown(d) + "\n";
    }
  }
  return failures;
}

}  // namespace quiz::testing
