// Layout invariants of the window definition that a slip in the table would break.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"

namespace quiz::ui {
namespace {

using quiz::testing::ControlLabel;

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
      EXPECT_EQ(c->caption, name == u"Option1" ? kQuizRows[i].person : kQuizRows[i].achievement);
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
