// What a learning platform is told of an attempt where the browser's runs do not reach: kept
// data partly foreign or lost, a status the platform set further, a long session, a second
// leaving.
#include "window/web/attempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quiz::testing {
namespace {

using ui::web::Attempt;

// Answers each call as a run-time would: a get from what it holds, "true" for the others
// (or what `initialize` says for LMSInitialize), and keeps what is set.
using Held = std::map<std::string, std::string>;

struct Platform {
  explicit Platform(Held holds = {}) : held(std::move(holds)) {}

  Held held;
  std::vector<std::string> calls;  // each call's name, and its element where it has one
  std::string initialize = "true";

  void Serve(Attempt& attempt, std::uint32_t elapsed = 0) {
    for (auto due = attempt.Take(3723, elapsed); !due.empty(); due = attempt.Take(3723, elapsed)) {
      for (const ui::web::PlatformCall& call : due) {
        calls.push_back(std::string(call.name) + ' ' + call.element);
        if (call.name == "LMSSetValue") held[call.element] = call.value;
        attempt.Reply(call.name == "LMSGetValue"     ? held[call.element]
                      : call.name == "LMSInitialize" ? initialize
                                                     : "true");
      }
    }
  }
  Attempt Opened() {
    Attempt attempt;
    attempt.Open();
    Serve(attempt);
    return attempt;
  }
};

TEST(Attempt, AReturnGoesOnFromTheRowsKeptAndNeverWritesAScoreLower) {
  // Rows 4, 0 and 3 kept ("1.a", "9.i", "3.f") among codes of nothing.
  Platform resumed(Held{{"cmi.core.entry", "resume"},
                        {"cmi.core.lesson_status", "incomplete"},
                        {"cmi.suspend_data", "1.a,zz,,9.i,3.f,1.b"},
                        {"cmi.interactions._count", "5"},
                        {"cmi.core.score.raw", "33"}});
  Attempt attempt = resumed.Opened();
  attempt.Answered(3, 3);  // found before: no new row
  resumed.Serve(attempt);
  EXPECT_EQ(resumed.held["cmi.interactions.5.time"], "01:02:03");
  EXPECT_EQ(resumed.held["cmi.core.score.raw"], "33");
  attempt.Answered(5, 5);
  resumed.Serve(attempt);
  EXPECT_EQ(resumed.held["cmi.interactions.6.result"], "correct");
  EXPECT_EQ(resumed.held["cmi.core.score.raw"], "44");
  EXPECT_EQ(resumed.held["cmi.suspend_data"], "1.a,2.b,3.f,9.i");

  // A new attempt reads nothing kept; a score held without the rows (kept data lost) is
  // still never written lower.
  Platform fresh(Held{{"cmi.core.entry", "ab-initio"}, {"cmi.suspend_data", "1.a"}});
  Attempt first = fresh.Opened();
  first.Answered(4, 4);
  fresh.Serve(first);
  EXPECT_EQ(fresh.held["cmi.core.score.raw"], "11");
  Platform lost(Held{{"cmi.core.entry", "resume"}, {"cmi.core.score.raw", "56.5"}});
  Attempt again = lost.Opened();
  again.Answered(4, 4);
  lost.Serve(again);
  EXPECT_EQ(lost.held["cmi.core.score.raw"], "56");
}

TEST(Attempt, AStatusThePlatformSetFurtherStaysAndTheSessionEndsOnce) {
  Platform passed(Held{{"cmi.core.lesson_status", "passed"}});
  Attempt attempt = passed.Opened();
  for (std::int16_t row = 0; row < kRowCount; ++row) attempt.Answered(row, row);
  attempt.Hide();
  attempt.Leave();
  attempt.Leave();
  attempt.Hide();
  attempt.Answered(1, 1);
  passed.Serve(attempt, 100 * 3600 + 61);
  const auto count = [&](const std::string& call) {
    return std::count(passed.calls.begin(), passed.calls.end(), call);
  };
  EXPECT_EQ(count("LMSSetValue cmi.core.lesson_status"), 0);
  EXPECT_EQ(count("LMSCommit "), kRowCount + 1);
  EXPECT_EQ(count("LMSFinish "), 1);
  EXPECT_EQ(passed.calls.back(), "LMSFinish ");
  EXPECT_EQ(passed.held["cmi.core.score.raw"], "100");
  EXPECT_EQ(passed.held["cmi.core.exit"], "");
  EXPECT_EQ(passed.held["cmi.core.session_time"], "100:01:01");
}

}  // namespace
}  // namespace quiz::testing
