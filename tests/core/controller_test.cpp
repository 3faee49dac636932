// The controller against a recording window: what it asks of the window, in what order, and
// how it copes with indexes the window lacks.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "quiz/quiz_form.h"
#include "tests/scenarios/scenario_table.h"

namespace quiz {
namespace {

class RecordingControls : public FormControls {
 public:
  explicit RecordingControls(int items = 9) {
    for (int i = 0; i < items; ++i)
      list.push_back(u"биография " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  }
  void DeselectPerson(std::int16_t i) override { log.push_back("1:" + std::to_string(i)); }
  void DeselectAchievement(std::int16_t i) override { log.push_back("2:" + std::to_string(i)); }
  std::u16string ResultText() const override { return text; }
  void SetResultText(std::u16string_view t) override {
    text = t;
    ++writes;
  }
  std::optional<std::u16string> Biography(std::int16_t i) const override {
    if (i < 0 || static_cast<std::size_t>(i) >= list.size()) return std::nullopt;
    return list[static_cast<std::size_t>(i)];
  }

  std::vector<std::string> log;
  std::u16string text = u"условие";
  std::vector<std::u16string> list;
  int writes = 0;
};

// A form loaded on a recording window.
class Controller : public ::testing::Test {
 protected:
  explicit Controller(int items = 9) : w(items) { form.Form_Load(); }
  RecordingControls w;
  QuizForm form{w};
};

TEST_F(Controller, LoadForgetsChoicesAndDeselectsRowByRowWithoutTouchingTheText) {
  w.log.clear();
  form.Option1_Click(2);
  form.Option2_Click(2);
  form.Form_Load();
  EXPECT_EQ(form.person(), -5);  // the values for nothing chosen
  EXPECT_EQ(form.achievement(), -15);
  std::vector<std::string> expected;
  for (int i = 0; i < 9; ++i) {
    expected.push_back("1:" + std::to_string(i));
    expected.push_back("2:" + std::to_string(i));
  }
  EXPECT_EQ(w.log, expected);
  EXPECT_EQ(w.text, u"условие");
  EXPECT_EQ(w.writes, 0);
}

TEST_F(Controller, RightAnswerIsBuiltByReadingTheBoxBack) {
  form.Option1_Click(7);
  form.Option2_Click(7);
  form.Command1_Click(0);
  EXPECT_EQ(w.text, u"Правилно.\r\nбиография 7\r\n");
  EXPECT_EQ(w.writes, 2);
  EXPECT_EQ(form.person(), 7);  // evaluating keeps the choices
  EXPECT_EQ(form.achievement(), 7);
}

TEST_F(Controller, IndexesOutsideTheArraysAreIgnored) {
  form.Option1_Click(4);
  form.Option2_Click(4);
  using Limits = std::numeric_limits<std::int16_t>;
  constexpr std::int16_t kBad[] = {-1, 9, kNoPerson, kNoAchievement, Limits::max(), Limits::min()};
  for (std::int16_t bad : kBad) {
    form.Option1_Click(bad);
    form.Option2_Click(bad);
  }
  EXPECT_EQ(form.person(), 4);
  EXPECT_EQ(form.achievement(), 4);

  // Only 0 and 1 are commands; any other index does nothing at all.
  w.log.clear();
  for (std::int16_t bad : kBad) form.Command1_Click(bad);
  form.Command1_Click(2);
  EXPECT_EQ(w.writes, 0);
  EXPECT_TRUE(w.log.empty());

  // With nothing chosen, the two choices stay apart from each other and from any row.
  form.Command1_Click(1);
  form.Option1_Click(kNoAchievement);
  form.Command1_Click(0);
  EXPECT_EQ(w.text, testing::kWrongText);
}

class ShortList : public Controller {
 protected:
  ShortList() : Controller(3) {}  // a list shorter than the rows
};

TEST_F(ShortList, AMissingBiographyLeavesTheBoxAsItIs) {
  form.Option1_Click(6);
  form.Option2_Click(6);
  form.Command1_Click(0);
  EXPECT_EQ(w.text, u"условие");
  EXPECT_EQ(w.writes, 0);
  EXPECT_EQ(form.person(), 6);
  form.Option1_Click(2);
  form.Option2_Click(2);
  form.Command1_Click(0);
  EXPECT_EQ(w.text, u"Правилно.\r\nбиография 2\r\n");
}

}  // namespace
}  // namespace quiz
