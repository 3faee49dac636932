// Writes the scenario table, the keyboard table and the texts the random run's model needs
// as JSON, for the browser test: the same scenarios and keys as the native suites, from one
// source. Built with the host's compiler; every text is UTF-16, written as ASCII with \u
// escapes.
#include <cstdio>
#include <string>
#include <string_view>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/keyboard_table.h"
#include "tests/scenarios/scenario_table.h"

namespace {

using quiz::testing::KeyName;
using quiz::testing::Op;

// A name from the tables: ASCII, written as it is.
void PutName(std::string_view name) {
  std::printf("\"%.*s\"", static_cast<int>(name.size()), name.data());
}

void PutText(std::u16string_view text) {
  std::putchar('"');
  for (const char16_t c : text) {
    if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
      std::putchar(static_cast<char>(c));
    } else {
      std::printf("\\u%04x", static_cast<unsigned>(c));
    }
  }
  std::putchar('"');
}

std::string_view OpName(Op op) {
  switch (op) {
    case Op::ClickPerson:
      return "click_person";
    case Op::ClickAchievement:
      return "click_achievement";
    case Op::ClickCommand:
      return "click_command";
    case Op::TextIs:
    case Op::TextIsRightAnswer:
      return "text_is";
    case Op::TextEndsWith:
      return "text_ends_with";
    case Op::PersonSelected:
      return "person_selected";
    case Op::PersonNotSelected:
      return "person_not_selected";
    case Op::AchievementSelected:
      return "achievement_selected";
    case Op::SelectedPeople:
      return "selected_people";
    case Op::SelectedAchievements:
      return "selected_achievements";
  }
  return "unknown";
}

void PutKeyRuns() {
  std::printf("\"start_focus\": ");
  PutName(quiz::testing::kStartFocus);
  std::printf(",\n\"key_runs\": [");
  const char* run_comma = "";
  for (const quiz::testing::KeyRun& run : quiz::testing::kKeyRuns) {
    std::printf("%s\n {\"name\": ", run_comma);
    PutName(run.name);
    std::printf(", \"steps\": [");
    run_comma = ",";
    const char* comma = "";
    for (const quiz::testing::KeyStep& step : run.steps) {
      std::printf("%s\n  {\"key\": ", comma);
      PutName(KeyName(step.key));
      std::printf(", \"focus\": ");
      PutName(step.focus);
      std::printf(", \"person\": ");
      PutName(step.person);
      std::printf(", \"achievement\": ");
      PutName(step.achievement);
      std::printf(", \"choices\": [%d, %d], \"result\": ", step.chosen_person,
                  step.chosen_achievement);
      PutName(step.result);
      std::putchar('}');
      comma = ",";
    }
    std::printf("]}");
  }
  std::printf("],\n");
}

}  // namespace

int main() {
  std::printf("{\"scenarios\": [");
  const char* scenario_comma = "";
  for (const quiz::testing::Scenario& s : quiz::testing::kScenarios) {
    std::printf("%s\n {\"name\": ", scenario_comma);
    PutName(s.name);
    std::printf(", \"steps\": [");
    scenario_comma = ",";
    const char* comma = "";
    for (const quiz::testing::Step& step : s.steps) {
      std::printf("%s\n  {\"op\": ", comma);
      PutName(OpName(step.op));
      std::printf(", \"arg\": %d, \"text\": ", step.arg);
      PutText(quiz::testing::ExpectedText(step));
      std::putchar('}');
      comma = ",";
    }
    std::printf("]}");
  }
  std::printf("],\n");
  PutKeyRuns();
  std::printf("\"statement\": ");
  PutText(quiz::kStatement);
  std::printf(",\n\"wrong\": ");
  PutText(std::u16string(quiz::kWrongAnswer) + std::u16string(quiz::kCrLf));
  std::printf(",\n\"cleared\": ");
  PutText(quiz::kMakeYourChoice);
  std::printf(",\n\"right\": [");
  for (int row = 0; row < quiz::kRowCount; ++row) {
    std::printf(row == 0 ? "\n " : ",\n ");
    PutText(quiz::testing::RightAnswer(row));
  }
  std::printf("]}\n");
  return 0;
}
