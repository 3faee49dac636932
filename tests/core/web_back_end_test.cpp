// The browser back end and the module's flat interface, natively, with a page that records
// what the module asks of it.
#include "window/web/web_back_end.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/scenarios/text_printer.h"
#include "window/web/module.h"

namespace quiz::testing {
namespace {

using ui::web::PageCalls;

// The page: selection and shown text by control position, and what was announced.
struct FakePage {
  static inline std::map<std::size_t, bool> selected;
  static inline std::map<std::size_t, std::u16string> shown;
  static inline std::vector<std::u16string> announced;
  static inline int set_selected_calls = 0;

  static void Reset() {
    selected.clear();
    shown.clear();
    announced.clear();
    set_selected_calls = 0;
  }
  static constexpr PageCalls kCalls{
      [](std::size_t at, std::uint32_t on) {
        selected[at] = on != 0;
        ++set_selected_calls;
      },
      [](std::size_t at) -> std::uint32_t { return selected[at] ? 1 : 0; },
      [](std::size_t at, const char16_t* text, std::size_t length) {
        shown[at] = std::u16string(text, length);
      },
      [](std::size_t at) { announced.push_back(shown[at]); },
  };
};

std::size_t At(const ui::Control* control) { return *ui::PositionOf(*control); }

std::string Label(std::int32_t position) {
  const auto controls = ui::Controls();
  return position < 0 ? "none" : ControlLabel(controls[static_cast<std::size_t>(position)]);
}

class WebBackEndTest : public ::testing::Test {
 protected:
  void SetUp() override { FakePage::Reset(); }
};

TEST_F(WebBackEndTest, LoadDeselectsEveryOptionOnThePageAndWritesNoText) {
  ui::web::WebBackEnd window(FakePage::kCalls);
  window.Load();
  EXPECT_EQ(FakePage::set_selected_calls, 18);
  for (const auto& [at, on] : FakePage::selected) EXPECT_FALSE(on) << Label(static_cast<int>(at));
  EXPECT_TRUE(FakePage::shown.empty());
  EXPECT_EQ(window.Text(*ui::ResultBox()), std::u16string(kStatement));
}

TEST_F(WebBackEndTest, ARightAnswerReachesThePageAndIsAnnouncedOnceWithItsFinalText) {
  ui::web::WebBackEnd window(FakePage::kCalls);
  window.Load();
  EXPECT_TRUE(window.Click(At(ui::PersonButton(3))));
  EXPECT_TRUE(window.Click(At(ui::AchievementButton(3))));
  EXPECT_TRUE(FakePage::announced.empty());
  EXPECT_TRUE(window.Click(At(ui::CommandButton(0))));
  const std::u16string right = u"Правилно.\r\n" + std::u16string(kQuizRows[3].biography) + u"\r\n";
  EXPECT_EQ(FakePage::shown[At(ui::ResultBox())], right);
  EXPECT_EQ(window.Text(*ui::ResultBox()), right);
  EXPECT_EQ(FakePage::announced, std::vector<std::u16string>{right});
  window.Click(At(ui::CommandButton(1)));
  EXPECT_EQ(FakePage::shown[At(ui::ResultBox())], u"Направете своя избор!");
  EXPECT_EQ(FakePage::announced.size(), 2u);
}

TEST_F(WebBackEndTest, PositionsAndControlsItLacksOrOfTheWrongKindChangeNothing) {
  ui::web::WebBackEnd window(FakePage::kCalls);
  window.Load();
  FakePage::Reset();
  EXPECT_FALSE(window.Click(ui::Controls().size()));
  EXPECT_FALSE(window.Click(static_cast<std::size_t>(-1)));
  EXPECT_FALSE(window.Click(At(ui::BiographyList())));
  window.SetText(*ui::BiographyList(), u"x");
  window.SetSelected(*ui::ResultBox(), true);
  EXPECT_TRUE(FakePage::shown.empty());
  EXPECT_EQ(FakePage::set_selected_calls, 0);
  EXPECT_EQ(window.Text(*ui::BiographyList()), u"");
  const ui::Control stranger{.kind = ui::Kind::TextBox, .name = u"Text1", .index = 0};
  window.SetText(stranger, u"x");  // a copy, not the definition's entry
  EXPECT_TRUE(FakePage::shown.empty());
  EXPECT_FALSE(window.Item(*ui::BiographyList(), 9).has_value());
  EXPECT_FALSE(window.Item(*ui::BiographyList(), -1).has_value());
  EXPECT_FALSE(window.Item(*ui::ResultBox(), 0).has_value());
  EXPECT_EQ(window.Item(*ui::BiographyList(), 8), std::u16string(kQuizRows[8].biography));
  EXPECT_EQ(window.form().person(), kNoPerson);
}

TEST(WebModule, PageOrderIsTabOrderWithEachGroupInScreenOrderAndNoHiddenList) {
  std::vector<std::string> order;
  for (std::size_t n = 0; n < quiz_page_order_count(); ++n)
    order.push_back(Label(quiz_page_order(n)));
  EXPECT_EQ(order, (std::vector<std::string>{
                       "Text1(0)",   "Label1(0)",  "Frame1(0)",   "Option1(4)", "Option1(5)",
                       "Option1(3)", "Option1(6)", "Option1(8)",  "Option1(1)", "Option1(7)",
                       "Option1(2)", "Option1(0)", "Frame1(1)",   "Option2(4)", "Option2(5)",
                       "Option2(2)", "Option2(1)", "Option2(8)",  "Option2(3)", "Option2(7)",
                       "Option2(6)", "Option2(0)", "Command1(0)", "Command1(1)"}));
  std::vector<std::string> stops;
  for (std::size_t n = 0; n < quiz_tab_stop_count(); ++n) stops.push_back(Label(quiz_tab_stop(n)));
  EXPECT_EQ(stops, (std::vector<std::string>{"Text1(0)", "Frame1(0)", "Frame1(1)", "Command1(0)",
                                             "Command1(1)"}));
  EXPECT_EQ(quiz_page_order(quiz_page_order_count()), -1);
  EXPECT_EQ(quiz_tab_stop(1000), -1);
}

TEST(WebModule, TableInCssPixelsAndItsTexts) {
  EXPECT_EQ(quiz_form_width(), 494);
  EXPECT_EQ(quiz_form_height(), 382);
  EXPECT_EQ(quiz_font_points(), 12);
  const std::size_t person = At(ui::PersonButton(0));
  EXPECT_EQ(Label(quiz_control_parent(person)), "Frame1(0)");
  EXPECT_EQ(quiz_control_left(person), 8);
  EXPECT_EQ(quiz_control_top(person), 152);
  EXPECT_EQ(quiz_control_width(person), 137);
  EXPECT_EQ(quiz_control_height(person), 19);
  EXPECT_EQ(quiz_control_color(person), 0x00FFFFC0u);
  EXPECT_EQ(quiz_control_alignment(person), 1);
  EXPECT_EQ(quiz_control_color(At(ui::ResultBox())), 0xFFFFFFFFu);
  EXPECT_EQ(quiz_control_flags(At(ui::BiographyList())) & ui::web::kVisible, 0u);
  // The upper of two overlapping buttons lies above: Option1(4) stands over Option1(5).
  EXPECT_GT(quiz_control_layer(At(ui::PersonButton(4))),
            quiz_control_layer(At(ui::PersonButton(5))));
  EXPECT_EQ(quiz_control_layer(At(ui::ResultBox())), -1);

  const auto text = [](ui::web::TextField field, std::size_t at) {
    const auto f = static_cast<std::uint32_t>(field);
    return std::u16string(quiz_text(f, at), quiz_text_length(f, at));
  };
  EXPECT_EQ(text(ui::web::TextField::AccessibleName, At(ui::ResultBox())), u"Резултат");
  EXPECT_EQ(text(ui::web::TextField::Caption, At(ui::CommandButton(0))), u"Изведи");
  EXPECT_EQ(text(ui::web::TextField::FontFace, 1000), u"Times New Roman");
  EXPECT_EQ(text(ui::web::TextField::Caption, 1000), u"");
  EXPECT_EQ(quiz_text_length(99, 0), 0u);
}

TEST(WebModule, BadPositionsAnswerNothing) {
  const std::size_t past = quiz_control_count();
  EXPECT_EQ(past, ui::Controls().size());
  EXPECT_EQ(quiz_control_kind(past), -1);
  EXPECT_EQ(quiz_control_parent(past), -1);
  EXPECT_EQ(quiz_control_left(past), -1);
  EXPECT_EQ(quiz_control_flags(past), 0u);
  EXPECT_EQ(quiz_control_layer(past), -1);
  EXPECT_EQ(quiz_control_index(static_cast<std::size_t>(-1)), -1);
}

// The module's one window: clicks before the load reach nothing, the load happens once.
TEST(WebModule, EventsReachTheOneWindowAfterItsLoad) {
  FakePage::Reset();
  ui::web::UsePage(FakePage::kCalls);
  const std::size_t person = At(ui::PersonButton(3));
  EXPECT_EQ(quiz_click(person), 0);
  EXPECT_EQ(quiz_chosen_person(), kNoPerson);
  EXPECT_EQ(quiz_load(), 1);
  EXPECT_EQ(quiz_load(), 0);
  EXPECT_EQ(quiz_click(quiz_control_count()), 0);
  EXPECT_EQ(quiz_click(At(ui::ParentOf(*ui::PersonButton(3)))), 0);
  EXPECT_EQ(quiz_click(person), 1);
  EXPECT_EQ(quiz_chosen_person(), 3);
  EXPECT_EQ(quiz_chosen_achievement(), kNoAchievement);
}

}  // namespace
}  // namespace quiz::testing
