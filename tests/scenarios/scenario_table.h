// The user-level scenarios as data (a name, clicks, what the window shows after them) and
// the player that replays one on any driver; a new scenario is a new row of kScenarios.
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

// The result box by what it shows, as the tables name it: "statement", "wrong", "clear", or
// "right N" for row N's answer: "Правилно.", the row's biography, each followed by a line
// break. Nothing for a name the tables lack.
inline std::u16string ExpectedResult(std::string_view result) {
  if (result == "statement") return std::u16string(kStatement);
  if (result == "wrong") return std::u16string(kWrongText);
  if (result == "clear") return std::u16string(kClearedText);
  const int row = result.size() == 7 && result.starts_with("right ") ? result.back() - '0' : -1;
  if (row < 0 || row >= kRowCount) return {};
  return std::u16string(kRightText) +
         std::u16string(kQuizRows[static_cast<std::size_t>(row)].biography) + u"\r\n";
}

enum class Op : std::uint8_t {
  ClickPerson,       // Option1(arg)
  ClickAchievement,  // Option2(arg)
  ClickCommand,      // Command1(arg)
  Shows,             // the selected person and achievement, and the result box
  TextEndsWith,      // the result box ends with `text`
};

struct Step {
  Op op = Op::Shows;
  int arg = 0;
  int person = -1, achievement = -1;  // the selected rows, -1 for none
  std::string_view result = {};       // as ExpectedResult names it
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
constexpr Step Shows(int person, int achievement, std::string_view result) {
  return {Op::Shows, 0, person, achievement, result};
}

namespace scenario_steps {

inline constexpr Step kOpens[] = {Shows(-1, -1, "statement")};

// clang-format off
inline constexpr Step kShowWithoutBoth[] = {
    Show(), Shows(-1, -1, "wrong"),
    Person(4), Show(), Shows(4, -1, "wrong"),
    Clear(), Achievement(4), Show(), Shows(-1, 4, "wrong")};
// clang-format on

// Each row's pair in turn, then row 3's biography again: it keeps its trailing blank before
// the final line break.
inline constexpr std::string_view kRight[] = {"right 0", "right 1", "right 2", "right 3", "right 4",
                                              "right 5", "right 6", "right 7", "right 8"};
inline constexpr auto kEveryPair = [] {
  std::array<Step, 4 * kRowCount + 4> steps{};
  for (int row = 0; row <= kRowCount; ++row) {
    const int i = row < kRowCount ? row : 3;
    steps[static_cast<std::size_t>(4 * row)] = Person(i);
    steps[static_cast<std::size_t>(4 * row + 1)] = Achievement(i);
    steps[static_cast<std::size_t>(4 * row + 2)] = Show();
    steps[static_cast<std::size_t>(4 * row + 3)] =
        row < kRowCount ? Shows(i, i, kRight[static_cast<std::size_t>(i)])
                        : Step{.op = Op::TextEndsWith, .text = u" \r\n"};
  }
  return steps;
}();

// Achievement 2 stands at the height of person 3 on screen, but is another row.
inline constexpr Step kSideBySide[] = {Person(3), Achievement(2), Show(), Shows(3, 2, "wrong")};

inline constexpr Step kLastChoice[] = {
    Person(5), Person(0), Achievement(0), Shows(0, 0, "statement"), Show(), Shows(0, 0, "right 0")};

inline constexpr Step kIndependent[] = {Achievement(6), Person(2), Shows(2, 6, "statement"),
                                        Achievement(7), Shows(2, 7, "statement")};

inline constexpr Step kKeepsText[] = {Person(1), Achievement(8), Shows(1, 8, "statement")};

inline constexpr Step kShowTwice[] = {
    Person(7), Achievement(7),      Show(), Show(), Shows(7, 7, "right 7"), Achievement(1), Show(),
    Show(),    Shows(7, 1, "wrong")};

// Choosing again after clearing works as at the start.
inline constexpr Step kClear[] = {
    Person(6), Achievement(6), Clear(), Shows(-1, -1, "clear"), Show(), Shows(-1, -1, "wrong"),
    Person(6), Achievement(6), Show(),  Shows(6, 6, "right 6")};

// clang-format off
inline constexpr Step kClickAgain[] = {
    Person(8), Person(8), Achievement(8), Achievement(8), Shows(8, 8, "statement"),
    Show(), Shows(8, 8, "right 8")};
// clang-format on

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
    {"ClickingTheSelectedButtonAgainChangesNothing", scenario_steps::kClickAgain}};

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
    case Op::Shows:
      for (int i = 0; i < kRowCount; ++i) {
        if (d.PersonSelected(i) != (i == step.person)) return false;
        if (d.AchievementSelected(i) != (i == step.achievement)) return false;
      }
      return d.ResultText() == ExpectedResult(step.result);
    case Op::TextEndsWith:
      return d.ResultText().ends_with(step.text);
  }
  return false;
}

// Plays a scenario on a driver: each failed check, by step number, with what the window
// shows; empty where all hold.
inline std::string PlayScenario(QuizDriver& d, const Scenario& scenario) {
  std::string failures;
  for (std::size_t n = 0; n < scenario.steps.size(); ++n) {
    const Step& step = scenario.steps[n];
    if (!Holds(d, step)) {
      failures += "step " + std::to_string(n + 1) + " fails: expected person " +
                  std::to_string(step.person) + ", achievement " +
                  std::to_string(step.achievement) + ", " + std::string(step.result) +
                  "; shown: " + Shown(d) + "\n";
    }
  }
  return failures;
}

}  // namespace quiz::testing
