#include "window/web/attempt.h"

#include <algorithm>

#include "window/definition.h"
#include "window/layout.h"
#include "window/web/markup.h"

namespace quiz::ui::web {
namespace {

constexpr std::string_view kStatusElement = "cmi.core.lesson_status";
constexpr std::string_view kSuspendDataElement = "cmi.suspend_data";
constexpr std::string_view kRawElement = "cmi.core.score.raw";

constexpr bool IsRow(std::int16_t index) { return index >= 0 && index < kRowCount; }

// A whole number from 0 to `most` at the start of text ("33", "33.5"); -1 for anything else.
int Whole(std::string_view text, int most) {
  int n = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    n = n * 10 + (text[digits] - '0');
    if (n > most) return -1;
  }
  return digits == 0 || (digits < text.size() && text[digits] != '.') ? -1 : n;
}

// Seconds as the run-time's times: HH:MM:SS, the hours of a span from 2 to 4 digits.
std::string Clock(std::uint32_t seconds) {
  seconds = std::min<std::uint32_t>(seconds, 9999 * 3600 + 59 * 60 + 59);
  const auto two = [](std::uint32_t n) {
    return std::string{char('0' + n / 10), char('0' + n % 10)};
  };
  const std::uint32_t hours = seconds / 3600;
  return (hours >= 100 ? std::to_string(hours) : two(hours)) + ':' + two(seconds / 60 % 60) + ':' +
         two(seconds % 60);
}

std::string Interaction(int n, std::string_view field) {
  return "cmi.interactions." + std::to_string(n) + '.' + std::string(field);
}

}  // namespace

std::string PairCode(std::int16_t person, std::int16_t achievement) {
  const Control* source = PersonButton(person);
  const Control* target = AchievementButton(achievement);
  const int number = source != nullptr ? PlaceOnScreen(*source) : 0;
  const int letter = target != nullptr ? PlaceOnScreen(*target) : 0;
  if (number == 0 || letter == 0 || letter > 26) return {};
  return std::to_string(number) + '.' + static_cast<char>('a' + letter - 1);
}

void Attempt::Queue(std::string_view name, std::string element, std::string value, Stamp stamp) {
  due_.push_back({{name, std::move(element), std::move(value)}, stamp});
}

void Attempt::Open() {
  if (state_ != State::Closed) return;
  state_ = State::Starting;
  Queue("LMSInitialize");
}

void Attempt::Reply(std::string_view result) {
  if (replied_ >= taken_.size()) return;
  const std::string_view name = taken_[replied_++];
  if (replied_ == taken_.size()) {
    taken_.clear();
    replied_ = 0;
  }
  if (name == "LMSInitialize") {
    if (result != "true") {  // no session: the quiz goes on without the platform
      state_ = State::Ended;
      due_.clear();
      taken_.clear();
      return;
    }
    state_ = State::Reading;
    for (const std::string_view element :
         {kStatusElement, std::string_view("cmi.core.entry"), kSuspendDataElement,
          std::string_view("cmi.interactions._count"), kRawElement}) {
      Queue("LMSGetValue", std::string(element));
    }
  } else if (name == "LMSGetValue" && read_ < kHeld) {
    held_[read_++] = result;
    if (read_ == kHeld) Start();
  }
}

void Attempt::Start() {
  state_ = State::Running;
  status_ = held_[kStatus];
  if (held_[kEntry] == "resume") {  // the codes of the rows found, "1.a,3.f"
    const std::string& kept = held_[kSuspendData];
    for (std::size_t from = 0; from < kept.size();) {
      const std::size_t to = std::min(kept.find(',', from), kept.size());
      const std::string_view code = std::string_view(kept).substr(from, to - from);
      for (std::int16_t row = 0; row < kRowCount; ++row) {
        if (!code.empty() && code == PairCode(row, row)) found_.set(static_cast<std::size_t>(row));
      }
      from = to + 1;
    }
  }
  next_ = std::max(Whole(held_[kCount], 1 << 20), 0);
  floor_ = std::max(Whole(held_[kRaw], 100), 0);
  if (!Completed() && status_ != "failed") {
    status_ = "incomplete";
    Set(std::string(kStatusElement), status_);
  }
}

std::string Attempt::FoundCodes() const {
  std::array<std::string, kRowCount + 1> codes;  // by the person's place on screen
  for (std::int16_t row = 0; row < kRowCount; ++row) {
    const Control* person = PersonButton(row);
    if (found_.test(static_cast<std::size_t>(row)) && person != nullptr) {
      codes[static_cast<std::size_t>(PlaceOnScreen(*person)) % codes.size()] = PairCode(row, row);
    }
  }
  std::string out;
  for (const std::string& code : codes) {
    if (!code.empty()) out += (out.empty() ? "" : ",") + code;
  }
  return out;
}

void Attempt::Answered(std::int16_t person, std::int16_t achievement) {
  const std::string response =
      IsRow(person) && IsRow(achievement) ? PairCode(person, achievement) : std::string();
  if (state_ != State::Running || response.empty()) return;  // a group unchosen: no answer
  const bool right = person == achievement;
  const int n = next_++;
  Set(Interaction(n, "id"), "pioneer" + std::to_string(PlaceOnScreen(*PersonButton(person))));
  Set(Interaction(n, "type"), "matching");
  Set(Interaction(n, "student_response"), response);
  Set(Interaction(n, "correct_responses.0.pattern"), PairCode(person, person));
  Set(Interaction(n, "result"), right ? "correct" : "wrong");
  Set(Interaction(n, "time"), {}, Stamp::TimeOfDay);
  const auto row = static_cast<std::size_t>(person);
  if (right && !found_.test(row)) {
    found_.set(row);
    Set(std::string(kSuspendDataElement), FoundCodes());
  }
  const int found = static_cast<int>(found_.count());
  const int score = std::max((200 * found + kRowCount) / (2 * kRowCount), floor_);
  Set(std::string(kRawElement), std::to_string(score));
  if (!range_written_) {
    range_written_ = true;
    Set("cmi.core.score.min", "0");
    Set("cmi.core.score.max", "100");
  }
  if (found == kRowCount && !Completed()) {
    status_ = "completed";
    Set(std::string(kStatusElement), status_);
  }
  Queue("LMSCommit");
}

void Attempt::Hide() {
  if (state_ == State::Running) Queue("LMSCommit");
}

void Attempt::Leave() {
  if (state_ != State::Running) return;
  state_ = State::Ended;
  Set("cmi.core.session_time", {}, Stamp::Elapsed);
  Set("cmi.core.exit", Completed() ? "" : "suspend");
  Queue("LMSFinish");
}

std::vector<PlatformCall> Attempt::Take(std::uint32_t time_of_day, std::uint32_t elapsed) {
  std::vector<PlatformCall> calls;
  for (Due& due : due_) {
    if (due.stamp == Stamp::TimeOfDay) due.call.value = Clock(time_of_day % 86400);
    if (due.stamp == Stamp::Elapsed) due.call.value = Clock(elapsed);
    taken_.push_back(due.call.name);
    calls.push_back(std::move(due.call));
  }
  due_.clear();
  return calls;
}

std::string CallsJson(const std::vector<PlatformCall>& calls) {
  std::string out = "[";
  for (const PlatformCall& call : calls) {
    out += out.size() > 1 ? ",\n[" : "[";
    AppendJson(out, call.name);
    out += ", ";
    AppendJson(out, std::string_view(call.element));
    if (call.name == "LMSSetValue") {
      out += ", ";
      AppendJson(out, std::string_view(call.value));
    }
    out += ']';
  }
  return out + "]";
}

}  // namespace quiz::ui::web
