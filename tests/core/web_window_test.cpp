// The browser back end and the module's flat interface, natively, with a page that records
// what the module asks of it.
#include "window/web/web_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/text_printer.h"
#include "window/web/markup.h"
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

class WebWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { FakePage::Reset(); }
};

TEST_F(WebWindowTest, LoadDeselectsEveryOptionOnThePageAndWritesNoText) {
  ui::web::WebWindow window(FakePage::kCalls);
  window.Load();
  EXPECT_EQ(FakePage::set_selected_calls, 18);
  for (const auto& [at, on] : FakePage::selected) EXPECT_FALSE(on) << "position " << at;
  EXPECT_TRUE(FakePage::shown.empty());
  EXPECT_EQ(window.Text(*ui::ResultBox()), std::u16string(kStatement));
}

TEST_F(WebWindowTest, ARightAnswerReachesThePageAndIsAnnouncedOnceWithItsFinalText) {
  ui::web::WebWindow window(FakePage::kCalls);
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

TEST_F(WebWindowTest, PositionsAndControlsItLacksOrOfTheWrongKindChangeNothing) {
  ui::web::WebWindow window(FakePage::kCalls);
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

// Whether text holds part; the text in the message where it does not.
::testing::AssertionResult Holds(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no " << part << " in " << text;
}

// The ids of the elements in markup, in the order written.
std::vector<std::string> Ids(const std::string& markup) {
  std::vector<std::string> ids;
  for (std::size_t at = markup.find(" id=\""); at != std::string::npos;
       at = markup.find(" id=\"", at + 1)) {
    const std::size_t from = at + 5;
    ids.push_back(markup.substr(from, markup.find('"', from) - from));
  }
  return ids;
}

// Every shown control in screen order, the title the one heading, no CR for the parser to
// drop. How each looks and reads in a browser is the page test's, from the same table.
TEST(WebMarkup, EveryShownControlInScreenOrderAndTheTitleTheOneHeading) {
  const std::string markup = ui::web::WindowMarkup();
  std::vector<std::string> expected{"quiz"};
  for (const Placed& p : kWindow) {
    if (p.role.empty()) continue;  // the hidden list
    std::string id(p.control);     // "Option1(4)" is "Option1_4"
    std::replace(id.begin(), id.end(), '(', '_');
    if (id.back() == ')') id.pop_back();
    expected.push_back(id);
  }
  EXPECT_EQ(Ids(markup), expected);
  const std::size_t heading = markup.find("<h1 id=\"Label1_0\"");
  EXPECT_NE(heading, std::string::npos);
  EXPECT_EQ(heading, markup.find("<h1"));
  EXPECT_EQ(heading, markup.rfind("<h1"));
  EXPECT_EQ(markup.find('\r'), std::string::npos);
}

TEST(WebMarkup, PageTexts) {
  const ClientSize& size = kClientSizes[0];  // at the page's 96 DPI
  ASSERT_EQ(size.dpi, 96);
  const std::string w = std::to_string(size.width), h = std::to_string(size.height);
  EXPECT_EQ(ui::web::PageTexts().rfind(
                "{\"title\": " + ui::ToJson(ToUtf8(ui::Form().caption)) +
                    ",\n\"colour\": \"#c0c0ff\",\n\"reflow\": \"not all and (min-width: " + w +
                    "px), not all and (min-width: 30.875rem), not all and (min-height: " + h +
                    "px), not all and (min-height: 23.875rem)\",\n\"window\": \"<main",
                0),
            0u);
}

TEST(WebModule, TableNamesEachControlsElementKindAndClickAndTheStartFocus) {
  const std::string table(quiz_table(), quiz_table_length());
  for (const char* entry : {"\"Option1_3\", \"kind\": \"OptionButton\", \"click\": true}",
                            "\"Command1_1\", \"kind\": \"CommandButton\", \"click\": true}",
                            "\"Frame1_0\", \"kind\": \"Frame\", \"click\": false}",
                            "\"List1\", \"kind\": \"ListBox\", \"click\": false}"})
    EXPECT_TRUE(Holds(table, std::string("{\"id\": ") + entry));
  EXPECT_TRUE(Holds(table, "\"start\": " + std::to_string(At(ui::ResultBox())) + ",\n"));
  EXPECT_EQ(std::count(table.begin(), table.end(), '{') - 1,
            static_cast<std::ptrdiff_t>(ui::Controls().size()));
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
  EXPECT_EQ(quiz_click(ui::Controls().size()), 0);
  EXPECT_EQ(quiz_click(At(ui::ParentOf(*ui::PersonButton(3)))), 0);
  FakePage::selected[person] = true;  // the page checks the radio, then passes the click
  EXPECT_EQ(quiz_click(person), 1);
  EXPECT_EQ(quiz_chosen_person(), 3);
  EXPECT_EQ(quiz_chosen_achievement(), kNoAchievement);
  // Tab (key 0) from nothing and round the stops, into a group at its chosen button; keys it
  // does not know pass. What every other key does the page's key runs check.
  const auto result = static_cast<std::int32_t>(At(ui::ResultBox()));
  EXPECT_EQ(quiz_key(0, 0, -1), result);
  EXPECT_EQ(quiz_key(0, 1, result), static_cast<std::int32_t>(At(ui::CommandButton(1))));
  EXPECT_EQ(quiz_key(0, 0, result), static_cast<std::int32_t>(At(ui::PersonButton(3))));
  EXPECT_EQ(quiz_key(99, 0, result), -1);
}

}  // namespace
}  // namespace quiz::testing
