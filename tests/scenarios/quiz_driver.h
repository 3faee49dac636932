// What the scenarios need from a back end: clicks and what the window shows, on a fresh
// window per driver; a click on an index the window lacks does nothing.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace quiz::testing {

// A test's index as a control-array index; one that no array has where it does not fit.
inline std::int16_t Index(int i) {
  using Limits = std::numeric_limits<std::int16_t>;
  return i < Limits::min() || i > Limits::max() ? Limits::min() : static_cast<std::int16_t>(i);
}

class QuizDriver {
 public:
  virtual ~QuizDriver() = default;
  virtual void ClickPerson(int index) = 0;       // Option1(index)
  virtual void ClickAchievement(int index) = 0;  // Option2(index)
  virtual void ClickCommand(int index) = 0;      // Command1(index)
  virtual std::u16string ResultText() = 0;       // the whole text of Text1(0)
  virtual bool PersonSelected(int index) = 0;
  virtual bool AchievementSelected(int index) = 0;
  // The controller's two remembered choices (person, achievement), where the driver can see
  // them.
  virtual std::optional<std::pair<int, int>> Choices() { return std::nullopt; }
};

}  // namespace quiz::testing
