// Long random runs of user events against a reference model of the quiz. After every event
// the window's selected buttons, its result text and (where the driver knows them) the two
// remembered choices must match the model.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/quiz_driver.h"
#include "tests/scenarios/text_printer.h"

namespace quiz::testing {

// What the quiz must show, kept by the simplest possible rules.
struct QuizModel {
  int person = kNoPerson;
  int achievement = kNoAchievement;
  int selected_person = -1;
  int selected_achievement = -1;
  std::u16string text{kStatement};

  static bool IsRow(int i) { return i >= 0 && i < kRowCount; }
  void ClickPerson(int i) {
    if (IsRow(i)) person = selected_person = i;
  }
  void ClickAchievement(int i) {
    if (IsRow(i)) achievement = selected_achievement = i;
  }
  void ClickCommand(int i) {
    if (i == 0 && person == achievement) {
      text = std::u16string(kRightAnswer) + std::u16string(kCrLf) +
             std::u16string(kQuizRows[static_cast<std::size_t>(person)].biography) +
             std::u16string(kCrLf);
    } else if (i == 0) {
      text = std::u16string(kWrongAnswer) + std::u16string(kCrLf);
    } else if (i == 1) {
      person = kNoPerson;
      achievement = kNoAchievement;
      selected_person = selected_achievement = -1;
      text = kMakeYourChoice;
    }
  }
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

// An index for a click: mostly a row, sometimes one the window lacks.
inline int RandomIndex(SplitMix64& rng, int valid) {
  static constexpr int kStray[] = {-1, -5, -15, 9, 10, 32767, -32768};
  if (rng.Below(10) == 0) return kStray[rng.Below(7)];
  return rng.Below(valid);
}

struct RandomRunResult {
  std::string failure;  // empty when every event matched the model
  int events = 0;       // events played before the end, the failure or the time limit
};

// Plays up to `count` events drawn from `seed` (stopping early after `budget`), checking
// the window against the model after each one.
inline RandomRunResult RunRandomEvents(QuizDriver& driver, std::uint64_t seed, int count,
                                       std::chrono::seconds budget = std::chrono::seconds(60)) {
  SplitMix64 rng(seed);
  QuizModel model;
  RandomRunResult result;
  const auto deadline = std::chrono::steady_clock::now() + budget;
  for (int n = 0; n < count; ++n) {
    // Three in seven events click a person, three an achievement, one a command.
    const int kind = rng.Below(7);
    const int index = kind < 6            ? RandomIndex(rng, kRowCount)
                      : rng.Below(8) == 0 ? RandomIndex(rng, 4) - 1
                                          : rng.Below(2);
    std::ostringstream event;
    if (kind < 3) {
      event << "person " << index;
      model.ClickPerson(index);
      driver.ClickPerson(index);
    } else if (kind < 6) {
      event << "achievement " << index;
      model.ClickAchievement(index);
      driver.ClickAchievement(index);
    } else {
      event << "command " << index;
      model.ClickCommand(index);
      driver.ClickCommand(index);
    }
    result.events = n + 1;
    std::ostringstream why;
    for (int i = 0; i < kRowCount; ++i) {
      if (driver.PersonSelected(i) != (model.selected_person == i)) {
        why << "person button " << i << " selected: " << driver.PersonSelected(i) << "; ";
      }
      if (driver.AchievementSelected(i) != (model.selected_achievement == i)) {
        why << "achievement button " << i << " selected: " << driver.AchievementSelected(i) << "; ";
      }
    }
    const std::u16string text = driver.ResultText();
    if (text != model.text) {
      why << "text \"" << ToUtf8(text) << "\", expected \"" << ToUtf8(model.text) << "\"; ";
    }
    if (const auto choices = driver.Choices()) {
      if (choices->first != model.person || choices->second != model.achievement) {
        why << "choices " << choices->first << "/" << choices->second << ", expected "
            << model.person << "/" << model.achievement << "; ";
      }
    }
    if (!why.str().empty()) {
      std::ostringstream failure;
      failure << "seed " << seed << ", event " << n + 1 << " (" << event.str()
              << "): " << why.str();
      result.failure = failure.str();
      return result;
    }
    if (std::chrono::steady_clock::now() > deadline) break;
  }
  return result;
}

}  // namespace quiz::testing
