// Layout invariants of the window definition that a slip in the table would break.
#include "window/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/keyboard.h"

namespace quiz::ui {
namespace {

using quiz::testing::ControlLabel;
using quiz::testing::ToUtf8;

bool Overlap(const Control& a, const Control& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(Layout, ControlsFollowTheDefinitionOrder) {
  std::vector<std::string> names;
  for (const Control& c : Controls()) names.push_back(ControlLabel(c));
  std::vector<std::string> expected{"List1", "Command1(1)", "Command1(0)", "Frame1(1)"};
  for (int i = 8; i >= 0; --i) expected.push_back("Option2(" + std::to_string(i) + ")");
  expected.push_back("Frame1(0)");
  for (int i = 8; i >= 0; --i) expected.push_back("Option1(" + std::to_string(i) + ")");
  expected.push_back("Text1(0)");
  expected.push_back("Label1(0)");
  EXPECT_EQ(names, expected);
}

TEST(Layout, OptionButtonsLieInTheirFrameOnTheTopGrid) {
  for (std::u16string_view name : {u"Option1", u"Option2"}) {
    const Control* frame = Find(u"Frame1", name == u"Option1" ? 0 : 1);
    ASSERT_NE(frame, nullptr);
    std::set<int> tops;
    for (std::int16_t i = 0; i < kRowCount; ++i) {
      const Control* c = Find(name, i);
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(ParentOf(*c), frame) << ControlLabel(*c);
      EXPECT_LE(c->left + c->width, frame->width) << ControlLabel(*c);
      EXPECT_LE(c->top + c->height, frame->height) << ControlLabel(*c);
      tops.insert(c->top);
    }
    std::set<int> grid;
    for (int k = 0; k < kRowCount; ++k) grid.insert(360 + 240 * k);
    EXPECT_EQ(tops, grid);
  }
  EXPECT_EQ(Find(u"Option1", 0)->alignment, Alignment::Right);
  EXPECT_EQ(Find(u"Option2", 0)->alignment, Alignment::Left);
}

// The window's own texts, as the user reads them.
TEST(Layout, EveryCaptionIsTheWindowsOwnText) {
  const std::array<std::u16string_view, kRowCount> people{
      u"Херман Холерит", u"Конрад Цузе",  u"Хауърд Айкън",  u"Джордж Стибиц", u"Алън Тюринг",
      u"Джон Атанасов",  u"Жозеф Жакард", u"Преспър Екърт", u"Клод Шанън"};
  const std::array<std::u16string_view, kRowCount> achievements{
      u"преброяване на населението в САЩ",
      u"Z1 - електромагнитни релета",
      u"Mark I",
      u"двоичен суматор; телетайп; Bell I",
      u"\"Bombe\" , \"Colossus\", код Енигма",
      u"ABC, вакуумни лампи",
      u"перфокарти",
      u"електронен цифров компютър \u2013 ENIAC",
      u"булева логика чрез релета"};
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    const auto row = static_cast<std::size_t>(i);
    EXPECT_EQ(ToUtf8(PersonButton(i)->caption), ToUtf8(people[row])) << "Option1(" << i << ")";
    EXPECT_EQ(ToUtf8(AchievementButton(i)->caption), ToUtf8(achievements[row]))
        << "Option2(" << i << ")";
  }
  EXPECT_EQ(ToUtf8(CommandButton(0)->caption), "Изведи");
  EXPECT_EQ(ToUtf8(CommandButton(1)->caption), "Чисти");
  EXPECT_EQ(ToUtf8(Find(u"Frame1", 0)->caption), "Учени");
  EXPECT_EQ(ToUtf8(Find(u"Frame1", 1)->caption), "Значимо постижение");
  EXPECT_EQ(ToUtf8(Find(u"Label1", 0)->caption), "Пионери на изчислителната техника");
}

// The form and the six colours, as RGB.
TEST(Layout, FormSizeAndColoursAreTheWindowsOwn) {
  EXPECT_EQ(Form().client_width, 7410);
  EXPECT_EQ(Form().client_height, 5730);
  EXPECT_TRUE(Form().fixed_single);
  EXPECT_EQ(Form().back_color, 0x00FFC0C0u);
  const std::vector<std::pair<std::string, std::uint32_t>> colours{{"Label1(0)", 0x0080C0FFu},
                                                                   {"Frame1(0)", 0x00FFC0C0u},
                                                                   {"Frame1(1)", 0x00FFC0C0u},
                                                                   {"Command1(0)", 0x0080FF80u},
                                                                   {"Command1(1)", 0x008080FFu}};
  for (const auto& entry : colours) {
    const std::string& label = entry.first;
    const std::uint32_t colour = entry.second;
    const auto c = std::find_if(Controls().begin(), Controls().end(),
                                [&](const Control& x) { return ControlLabel(x) == label; });
    ASSERT_NE(c, Controls().end()) << label;
    EXPECT_EQ(c->back_color, colour) << label;
  }
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    EXPECT_EQ(PersonButton(i)->back_color, 0x00FFFFC0u);
    EXPECT_EQ(AchievementButton(i)->back_color, 0x00FFC0FFu);
  }
  EXPECT_EQ(ResultBox()->back_color, kSystemColor);
  EXPECT_EQ(Rgb(192, 192, 255), 0x00FFC0C0u);
}

// Keyboard order of the whole window, by tab index.
TEST(Layout, TabOrderIsTheWindowsOwn) {
  std::vector<std::string> order;
  for (const Control* c : ChildrenInTabOrder(nullptr)) order.push_back(ControlLabel(*c));
  EXPECT_EQ(order, (std::vector<std::string>{"Text1(0)", "Label1(0)", "Frame1(0)", "Frame1(1)",
                                             "Command1(0)", "Command1(1)", "List1"}));
  std::vector<std::string> people;
  for (const Control* c : ChildrenInTabOrder(Find(u"Frame1", 0)))
    people.push_back(ControlLabel(*c));
  EXPECT_EQ(people, (std::vector<std::string>{"Option1(0)", "Option1(1)", "Option1(2)",
                                              "Option1(3)", "Option1(4)", "Option1(5)",
                                              "Option1(6)", "Option1(7)", "Option1(8)"}));
  std::vector<std::string> stops;
  for (const Control* c : TabStops()) stops.push_back(ControlLabel(*c));
  EXPECT_EQ(stops, (std::vector<std::string>{"Text1(0)", "Frame1(0)", "Frame1(1)", "Command1(0)",
                                             "Command1(1)"}));
  std::vector<int> tabs;
  for (std::int16_t i = 0; i < kRowCount; ++i) tabs.push_back(AchievementButton(i)->tab_index);
  EXPECT_EQ(tabs, (std::vector<int>{8, 9, 10, 17, 18, 19, 20, 21, 22}));
  tabs.clear();
  for (std::int16_t i = 0; i < kRowCount; ++i) tabs.push_back(PersonButton(i)->tab_index);
  EXPECT_EQ(tabs, (std::vector<int>{5, 6, 7, 11, 12, 13, 14, 15, 16}));
}

// Arrow keys follow the screen, and upper buttons lie above the ones below.
TEST(Layout, ScreenOrderAndStackingOfOptionButtons) {
  auto labels = [](const std::vector<const Control*>& controls) {
    std::string s;
    for (const Control* c : controls) s += (s.empty() ? "" : " ") + std::to_string(c->index);
    return s;
  };
  EXPECT_EQ(labels(OptionsOnScreen(*Find(u"Frame1", 0))), "4 5 3 6 8 1 7 2 0");
  EXPECT_EQ(labels(OptionsOnScreen(*Find(u"Frame1", 1))), "4 5 2 1 8 3 7 6 0");
  EXPECT_EQ(OptionOnScreen(*PersonButton(4), 1), PersonButton(5));
  EXPECT_EQ(OptionOnScreen(*PersonButton(0), 1), PersonButton(4));  // wraps
  EXPECT_EQ(OptionOnScreen(*PersonButton(4), -1), PersonButton(0));
  EXPECT_EQ(OptionOnScreen(*AchievementButton(1), -1), AchievementButton(2));
  EXPECT_EQ(OptionOnScreen(*ResultBox(), 1), nullptr);
  // Tab from nothing focused starts at either end of the cycle.
  const auto none = [](const Control&) { return false; };
  EXPECT_EQ(NextTabStop(nullptr, 1, none), ResultBox());
  EXPECT_EQ(NextTabStop(nullptr, -1, none), CommandButton(1));
  EXPECT_TRUE(LiesAbove(*PersonButton(4), *PersonButton(5)));
  EXPECT_FALSE(LiesAbove(*PersonButton(5), *PersonButton(4)));
  EXPECT_FALSE(LiesAbove(*PersonButton(4), *PersonButton(3)));  // two rows apart: no overlap
  EXPECT_FALSE(LiesAbove(*PersonButton(4), *AchievementButton(5)));
  const std::vector<const Control*> stack = OptionsInStackingOrder();
  ASSERT_EQ(stack.size(), 18u);
  EXPECT_EQ(stack.front()->top, 2280);
  EXPECT_EQ(stack.back()->top, 360);
}

TEST(Layout, VisibleControlsDoNotOverlapAndStayInsideTheWindow) {
  const FormRecord& form = Form();
  std::vector<const Control*> top_level;
  for (const Control& c : Controls()) {
    if (ParentOf(c) == nullptr && c.visible) top_level.push_back(&c);
  }
  ASSERT_EQ(top_level.size(), 6u);
  for (const Control* a : top_level) {
    EXPECT_GE(a->left, 0);
    EXPECT_LE(a->left + a->width, form.client_width) << ControlLabel(*a);
    EXPECT_LE(a->top + a->height, form.client_height) << ControlLabel(*a);
    for (const Control* b : top_level) {
      if (a < b) {
        EXPECT_FALSE(Overlap(*a, *b)) << ControlLabel(*a) << " and " << ControlLabel(*b);
      }
    }
  }
  const Control* show = Find(u"Command1", 0);
  const Control* text = Find(u"Text1", 0);
  for (std::int16_t i : {std::int16_t{0}, std::int16_t{1}}) {
    const Control* frame = Find(u"Frame1", i);
    EXPECT_LE(frame->top + frame->height, show->top);
  }
  for (std::int16_t i : {std::int16_t{0}, std::int16_t{1}}) {
    const Control* command = Find(u"Command1", i);
    EXPECT_EQ(command->top, 3240);
    EXPECT_LE(command->top + command->height, text->top);
    EXPECT_TRUE(command->graphical);
  }
  // The hidden list overlaps the result box and reaches below the window: it must never show.
  const Control* list = Find(u"List1", kNoIndex);
  EXPECT_FALSE(list->visible);
  EXPECT_TRUE(Overlap(*list, *text));
  EXPECT_GT(list->top + list->height, form.client_height);
}

TEST(Layout, TabOrderStartsAtTheResultBoxAndIsUnique) {
  std::set<int> seen;
  for (const Control& c : Controls()) {
    EXPECT_TRUE(seen.insert(c.tab_index).second) << ControlLabel(c);
  }
  const auto lowest = std::min_element(Controls().begin(), Controls().end(),
                                       [](auto& a, auto& b) { return a.tab_index < b.tab_index; });
  EXPECT_EQ(ControlLabel(*lowest), "Text1(0)");
}

TEST(Layout, ListHoldsTheBiographiesAndTheBoxTheStatement) {
  const Control* list = Find(u"List1", kNoIndex);
  ASSERT_EQ(list->items.size(), static_cast<std::size_t>(kRowCount));
  for (const QuizRow& row : kQuizRows)
    EXPECT_EQ(list->items[static_cast<std::size_t>(row.index)], row.biography);
  EXPECT_FALSE(list->sorted);
  const Control* text = Find(u"Text1", 0);
  EXPECT_EQ(text->caption, kStatement);
  EXPECT_TRUE(text->multi_line && text->vertical_scroll && text->read_only);
  EXPECT_EQ(Find(u"Text1", 1), nullptr);
  EXPECT_EQ(Find(u"Option1", 9), nullptr);
}

TEST(Layout, TwipsBecomePixelsAtAnyDpi) {
  EXPECT_EQ(TwipsToPixels(7410, 96), 494);
  EXPECT_EQ(TwipsToPixels(5730, 96), 382);
  EXPECT_EQ(TwipsToPixels(285, 144), 29);  // 28.5 rounds up
  EXPECT_EQ(TwipsToPixels(7410, 144), 741);
  EXPECT_EQ(TwipsToPixels(4455, 120), 371);  // 371.25
  EXPECT_EQ(TwipsToPixels(-15, 96), -1);
  EXPECT_EQ(ToPixels(*Find(u"Option2", 4), 96), (PixelRect{8, 24, 297, 19}));
}

}  // namespace
}  // namespace quiz::ui
