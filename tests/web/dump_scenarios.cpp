// The tests' shared tables as JSON (UTF-8) for the browser and AT-SPI tests, with the
// reference model's state after every scenario step and every click of a seeded random run:
//   dump_scenarios [SEED] > scenarios.json
// A state is {"person": "Option1(4)" or "", "achievement", "choices": [person, achievement],
// "result": a key of "results"}; "window" gives each control's rectangle at 96 DPI from the
// form's top left corner as "in_form".
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/scenarios/expectations.h"
#include "tests/scenarios/keyboard_table.h"
#include "tests/scenarios/random_run.h"
#include "tests/scenarios/scenario_table.h"
#include "window/utf8.h"

namespace {

using namespace quiz::testing;

using quiz::ui::ToJson;

std::string Text(std::u16string_view text) { return ToJson(ToUtf8(text)); }

std::string Numbers(std::initializer_list<int> numbers) {
  std::string out = "[";
  for (const int n : numbers) out += (out.size() > 1 ? ", " : "") + std::to_string(n);
  return out + "]";
}

std::string State(QuizModel& m) {
  const auto choices = *m.Choices();
  return "\"person\": " + ToJson(m.SelectedPersonLabel()) +
         ", \"achievement\": " + ToJson(m.SelectedAchievementLabel()) +
         ", \"choices\": " + Numbers({choices.first, choices.second}) +
         ", \"result\": " + ToJson(m.result());
}

std::string Click(std::string_view array, int index, QuizModel& m) {
  return "\n  {\"click\": " + ToJson(std::string(array) + "(" + std::to_string(index) + ")") +
         ", " + State(m) + "}";
}

// A list of items, one a line.
template <typename Items, typename Put>
std::string List(const Items& items, Put put) {
  std::string out = "[";
  for (const auto& item : items) out += (out.size() > 1 ? "," : "") + put(item);
  return out + "]";
}

// Each scenario on the model; a check that fails there is a fault of the table or the model.
std::string Scenarios() {
  return List(kScenarios, [](const Scenario& s) {
    QuizModel m;
    std::string steps;
    for (const Step& step : s.steps) {
      if (!Holds(m, step)) {
        std::fprintf(stderr, "%.*s fails on the model; shown: %s\n",
                     static_cast<int>(s.name.size()), s.name.data(), Shown(m).c_str());
        std::exit(1);
      }
      const char* arrays[] = {"Option1", "Option2", "Command1"};
      if (step.op <= Op::ClickCommand) {
        steps += (steps.empty() ? "" : ",") + Click(arrays[static_cast<int>(step.op)], step.arg, m);
      }
    }
    return "\n {\"name\": " + ToJson(s.name) + ", \"steps\": [" + steps + "]}";
  });
}

std::string RandomRun(std::uint64_t seed, int count) {
  RandomEvents events(seed);
  QuizModel m;
  std::string out = "{\"seed\": " + std::to_string(seed) + ", \"events\": [";
  for (int n = 0; n < count; ++n) {
    const RandomEvent e = events.Next();
    e.PlayOn(m);
    out += (n == 0 ? "" : ",") + Click(e.array, e.index, m);
  }
  return out + "]}";
}

std::string KeyRuns() {
  return List(kKeyRuns, [](const KeyRun& run) {
    return "\n {\"name\": " + ToJson(run.name) + ", \"steps\": " +
           List(run.steps,
                [](const KeyStep& s) {
                  return "\n  {\"key\": " + ToJson(KeyName(s.key)) +
                         ", \"focus\": " + ToJson(s.focus) + ", \"person\": " + ToJson(s.person) +
                         ", \"achievement\": " + ToJson(s.achievement) +
                         ", \"choices\": " + Numbers({s.chosen_person, s.chosen_achievement}) +
                         ", \"result\": " + ToJson(s.result) + "}";
                }) +
           "}";
  });
}

std::string Window() {
  const auto px = [](int twips) { return quiz::ui::TwipsToPixels(twips, 96); };
  return List(kWindow, [&](const Placed& p) {
    int x = px(p.left), y = px(p.top);
    for (const Placed& parent : kWindow) {
      if (parent.control == p.parent) x += px(parent.left), y += px(parent.top);
    }
    return "\n {\"role\": " + ToJson(p.role) + ", \"control\": " + ToJson(p.control) +
           ", \"name\": " + ToJson(p.name) +
           ", \"in_form\": " + Numbers({x, y, px(p.width), px(p.height)}) + "}";
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t seed = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : RandomSeed();
  std::string results;
  const auto add = [&](const std::string& result) {
    results +=
        (results.empty() ? "" : ",\n ") + ToJson(result) + ": " + Text(ExpectedResult(result));
  };
  for (const char* result : {"statement", "wrong", "clear"}) add(result);
  for (int row = 0; row < quiz::kRowCount; ++row) add("right " + std::to_string(row));
  QuizModel opening;
  std::printf("{\"results\": {%s},\n", results.c_str());
  std::printf("\"opening\": {\"focus\": %s, %s},\n", ToJson(kStartFocus).c_str(),
              State(opening).c_str());
  std::printf("\"scenarios\": %s,\n", Scenarios().c_str());
  std::printf("\"random_run\": %s,\n", RandomRun(seed, 3000).c_str());
  std::printf("\"key_runs\": %s,\n", KeyRuns().c_str());
  std::printf("\"client_sizes\": %s,\n", List(kClientSizes, [](const ClientSize& s) {
                                           return "\n {\"dpi\": " + std::to_string(s.dpi) +
                                                  ", \"width\": " + std::to_string(s.width) +
                                                  ", \"height\": " + std::to_string(s.height) + "}";
                                         }).c_str());
  std::printf("\"colours\": %s,\n", List(kColours, [](const Colour& c) {
                                      return "\n {\"control\": " + ToJson(c.control) +
                                             ", \"rgb\": " + Numbers({c.red, c.green, c.blue}) +
                                             "}";
                                    }).c_str());
  std::printf("\"window\": %s,\n", Window().c_str());
  std::printf("\"overlapping\": %s}\n", List(OverlappingPairs(), [](const auto& pair) {
                                          return "\n [" + ToJson(pair.first) + ", " +
                                                 ToJson(pair.second) + "]";
                                        }).c_str());
  return 0;
}
