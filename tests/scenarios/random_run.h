// Long seeded random runs of clicks, the window checked against a reference model of the
// quiz after every event.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/quiz_driver.h"
#include "tests/scenarios/scenario_table.h"
#include "tests/scenarios/text_printer.h"

namespace quiz::testing {

// What the quiz must show, by the simplest rules; the result named as the tables name it.
class QuizModel : public QuizDriver {
 public:
  void ClickPerson(int i) override {
    if (IsRow(i)) person_ = selected_person_ = i;
  }
  void ClickAchievement(int i) override {
    if (IsRow(i)) achievement_ = selected_achievement_ = i;
  }
  void ClickCommand(int i) override {
    if (i == 0) {
      result_ = person_ == achievement_ ? "right " + std::to_string(person_) : "wrong";
    } else if (i == 1) {
      *this = QuizModel();
      result_ = "clear";
    }
  }
  std::u16string ResultText() override { return ExpectedResult(result_); }
  bool PersonSelected(int i) override { return i == selected_person_; }
  bool AchievementSelected(int i) override { return i == selected_achievement_; }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{person_, achievement_};
  }
  const std::string& result() const { return result_; }
  // The selected buttons as the definition names them, "" for none.
  std::string SelectedPersonLabel() const { return Label("Option1", selected_person_); }
  std::string SelectedAchievementLabel() const { return Label("Option2", selected_achievement_); }

 private:
  static bool IsRow(int i) { return i >= 0 && i < kRowCount; }
  static std::string Label(const char* name, int i) {
    return IsRow(i) ? std::string(name) + "(" + std::to_string(i) + ")" : std::string();
  }
  int person_ = kNoPerson;
  int achievement_ = kNoAchievement;
  int selected_person_ = -1;
  int selected_achievement_ = -1;
  std::string result_ = "statement";
};

// The seed of a run: QUIZ_RANDOM_SEED where set, to replay a reported failure.
inline std::uint64_t RandomSeed(std::uint64_t fallback = 20261208) {
  const char* text = std::getenv("QUIZ_RANDOM_SEED");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : fallback;
}

// A small generator with the same sequence on every platform and standard library.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

// A click on Option1, Option2 or Command1 at an index, now and then one the window lacks.
struct RandomEvent {
  const char* array;
  int index;
  std::string Label() const { return std::string(array) + "(" + std::to_string(index) + ")"; }
  void PlayOn(QuizDriver& d) const {
    const std::string_view a = array;
    if (a == "Option1") d.ClickPerson(index);
    if (a == "Option2") d.ClickAchievement(index);
    if (a == "Command1") d.ClickCommand(index);
  }
};

class RandomEvents {
 public:
  explicit RandomEvents(std::uint64_t seed) : rng_(seed) {}
  // Three in seven events click a person, three an achievement, one a command.
  RandomEvent Next() {
    const int kind = rng_.Below(7);
    const int index = kind < 6             ? Index(kRowCount)
                      : rng_.Below(8) == 0 ? Index(4) - 1
                                           : rng_.Below(2);
    return {kind < 3 ? "Option1" : kind < 6 ? "Option2" : "Command1", index};
  }

 private:
  int Index(int valid) {
    static constexpr int kStray[] = {-1, kNoPerson, kNoAchievement, 9, 10, 32767, -32768};
    if (rng_.Below(10) == 0) return kStray[rng_.Below(7)];
    return rng_.Below(valid);
  }
  SplitMix64 rng_;
};

struct RandomRunResult {
  std::string failure;  // empty when every event matched the model
  int events = 0;       // events played before the end, the failure or the time limit
};

// Plays up to `count` events from `seed` (or until `budget`), each checked against the model.
inline RandomRunResult RunRandomEvents(QuizDriver& driver, std::uint64_t seed, int count,
                                       std::chrono::seconds budget = std::chrono::seconds(60)) {
  RandomEvents events(seed);
  QuizModel model;
  RandomRunResult result;
  const auto deadline = std::chrono::steady_clock::now() + budget;
  for (int n = 0; n < count; ++n) {
    const RandomEvent event = events.Next();
    event.PlayOn(model);
    event.PlayOn(driver);
    result.events = n + 1;
    const bool with_choices = driver.Choices().has_value();
    if (Shown(driver, with_choices) != Shown(model, with_choices)) {
      result.failure = "seed " + std::to_string(seed) + ", event " + std::to_string(n + 1) + " (" +
                       event.Label() + "): shown " + Shown(driver) + ", expected " +
                       Shown(model, with_choices);
      return result;
    }
    if (std::chrono::steady_clock::now() > deadline) break;
  }
  return result;
}

}  // namespace quiz::testing
