// A learner's attempt as a school's learning platform records it, through its SCORM 1.2
// run-time API: each press of the show button with a person and an achievement chosen is one
// interaction; the rows found right give the score and, all nine, the status "completed";
// they are kept in the suspend data, so that a return within the same attempt goes on from
// them and the score never falls. The page finds the API, carries out the calls this asks
// for in their order and passes each call's result back; this decides every call and value.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/content.h"
#include "window/web/web_window.h"

namespace quiz::ui::web {

// One call on the platform's API: LMSGetValue(element), LMSSetValue(element, value), or
// another with its one empty parameter.
struct PlatformCall {
  std::string_view name;
  std::string element;
  std::string value;
};

// Calls as the page reads them, one JSON array each: [["LMSSetValue", element, value],
// ["LMSCommit", ""], ...].
std::string CallsJson(const std::vector<PlatformCall>& calls);

class Attempt final : public AnswerListener {
 public:
  // The page has found the platform's API: the session begins.
  void Open();
  // The result the API returned for the oldest call taken and not yet answered.
  void Reply(std::string_view result);
  // A press of the show button with these choices (either may be a no-choice value).
  void Answered(std::int16_t person, std::int16_t achievement) override;
  // The page is hidden: the platform is to keep what it has.
  void Hide();
  // The page is left: the session ends, once.
  void Leave();
  // The calls due, oldest first. Times they carry are taken from the clock given: seconds
  // since local midnight, and seconds since the page opened.
  std::vector<PlatformCall> Take(std::uint32_t time_of_day, std::uint32_t elapsed);

 private:
  enum class State : std::uint8_t { Closed, Starting, Reading, Running, Ended };
  // What a value is filled with when it is taken.
  enum class Stamp : std::uint8_t { None, TimeOfDay, Elapsed };
  struct Due {
    PlatformCall call;
    Stamp stamp;
  };
  // What is read at the start, in this order.
  enum Held : std::uint8_t { kStatus, kEntry, kSuspendData, kCount, kRaw, kHeld };

  void Queue(std::string_view name, std::string element = {}, std::string value = {},
             Stamp stamp = Stamp::None);
  void Set(std::string element, std::string value, Stamp stamp = Stamp::None) {
    Queue("LMSSetValue", std::move(element), std::move(value), stamp);
  }
  // What the platform held at the start, read: the rows found where the attempt resumes.
  void Start();
  std::string FoundCodes() const;
  bool Completed() const { return status_ == "completed" || status_ == "passed"; }

  State state_ = State::Closed;
  std::vector<Due> due_;                 // calls not yet taken
  std::vector<std::string_view> taken_;  // the names of the calls taken, and
  std::size_t replied_ = 0;              // how many of them have their results back
  std::array<std::string, kHeld> held_;  // what the platform held at the start
  std::size_t read_ = 0;                 // how much of it has come back
  std::string status_;                   // the status it holds
  std::bitset<kRowCount> found_;
  int next_ = 0;   // the next interaction's index
  int floor_ = 0;  // the score the platform held at the start: never written lower
  bool range_written_ = false;
};

// A pair as a teacher reads it back: the person's number and the achievement's letter in
// their order on screen, "3.f"; empty where the window lacks either button.
std::string PairCode(std::int16_t person, std::int16_t achievement);

}  // namespace quiz::ui::web
