// The window definition against the window's own figures, and what the layout helpers
// derive from it: tab order, screen order and stacking.
#include "window/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/keyboard.h"

namespace quiz::ui {
namespace {

using quiz::testing::ControlLabel;
using quiz::testing::ControlNamed;
using quiz::testing::kWindow;
using quiz::testing::Placed;
using quiz::testing::ToUtf8;

std::vector<std::string> Labels(const std::vector<const Control*>& controls) {
  std::vector<std::string> labels;
  for (const Control* c : controls) labels.push_back(ControlLabel(*c));
  return labels;
}

// The controls the window table puts in a parent ("" for the form), of a role if given.
std::vector<std::string> PlacedIn(std::string_view parent, std::string_view role = {}) {
  std::vector<std::string> labels;
  for (const Placed& p : kWindow) {
    if (p.parent == parent && (role.empty() || p.role == role)) labels.emplace_back(p.control);
  }
  return labels;
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

// Every control's place, parent, caption or accessible name and visibility.
TEST(Layout, EveryControlIsTheWindowsOwn) {
  ASSERT_EQ(Controls().size(), std::size(kWindow));
  for (const Placed& p : kWindow) {
    const Control* c = ControlNamed(p.control);
    ASSERT_NE(c, nullptr) << p.control;
    EXPECT_EQ((std::vector<int>{c->left, c->top, c->width, c->height}),
              (std::vector<int>{p.left, p.top, p.width, p.height}))
        << p.control;
    EXPECT_EQ(ParentOf(*c) != nullptr ? ControlLabel(*ParentOf(*c)) : "", p.parent) << p.control;
    EXPECT_EQ(c->visible, !p.role.empty()) << p.control;
    const std::u16string_view name = c->kind == Kind::TextBox ? c->accessible_name : c->caption;
    EXPECT_EQ(ToUtf8(name), p.name) << p.control;
  }
  EXPECT_EQ(Find(u"Option1", 0)->alignment, Alignment::Right);
  EXPECT_EQ(Find(u"Option2", 0)->alignment, Alignment::Left);
  EXPECT_TRUE(CommandButton(0)->graphical && CommandButton(1)->graphical);
}

// The form's size at every DPI and the six colours, as RGB.
TEST(Layout, FormSizeAndColoursAreTheWindowsOwn) {
  for (const auto& size : quiz::testing::kClientSizes) {
    EXPECT_EQ(TwipsToPixels(Form().client_width, size.dpi), size.width) << size.dpi;
    EXPECT_EQ(TwipsToPixels(Form().client_height, size.dpi), size.height) << size.dpi;
  }
  EXPECT_TRUE(Form().fixed_single);
  for (const auto& colour : quiz::testing::kColours) {
    const std::uint32_t rgb = Rgb(colour.red, colour.green, colour.blue);
    if (colour.control.empty()) {
      EXPECT_EQ(Form().back_color, rgb) << "the form";
    }
    for (const Control& c : Controls()) {
      if (ControlLabel(c) == colour.control || ToUtf8(c.name) == colour.control) {
        EXPECT_EQ(c.back_color, rgb) << ControlLabel(c);
      }
    }
  }
  EXPECT_EQ(ResultBox()->back_color, kSystemColor);
  EXPECT_EQ(Rgb(192, 192, 255), 0x00FFC0C0u);  // stored as 0x00BBGGRR
}

// Keyboard order by tab index: unique, over the whole window and inside a group.
TEST(Layout, TabOrderIsTheWindowsOwn) {
  std::vector<const Control*> by_index;
  std::set<int> seen;
  for (const Control& c : Controls()) {
    by_index.push_back(&c);
    EXPECT_TRUE(seen.insert(c.tab_index).second) << ControlLabel(c) << ": tab index taken";
  }
  std::sort(by_index.begin(), by_index.end(),
            [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
  EXPECT_EQ(Labels(by_index), std::vector<std::string>(std::begin(quiz::testing::kTabOrder),
                                                       std::end(quiz::testing::kTabOrder)));
  auto in_tab_order = [](std::vector<std::string> labels) {
    std::vector<std::string> order;
    for (std::string_view l : quiz::testing::kTabOrder) {
      if (std::find(labels.begin(), labels.end(), l) != labels.end()) order.emplace_back(l);
    }
    return order;
  };
  EXPECT_EQ(Labels(ChildrenInTabOrder(nullptr)), in_tab_order(PlacedIn("")));
  EXPECT_EQ(Labels(ChildrenInTabOrder(Find(u"Frame1", 0))), in_tab_order(PlacedIn("Frame1(0)")));
}

// Arrow keys follow the screen, and upper buttons lie above the ones below.
TEST(Layout, ScreenOrderAndStackingOfOptionButtons) {
  for (const char* frame : {"Frame1(0)", "Frame1(1)"}) {
    EXPECT_EQ(Labels(OptionsOnScreen(*ControlNamed(frame))), PlacedIn(frame, "radio button"));
  }
  EXPECT_EQ(OptionOnScreen(*ResultBox(), 1), nullptr);
  // Tab from nothing focused starts at either end of the cycle.
  const auto none = [](const Control&) { return false; };
  EXPECT_EQ(NextTabStop(nullptr, 1, none), ResultBox());
  EXPECT_EQ(NextTabStop(nullptr, -1, none), CommandButton(1));

  const auto pairs = quiz::testing::OverlappingPairs();
  ASSERT_EQ(pairs.size(), 16u);
  const std::vector<std::string> stack = Labels(OptionsInStackingOrder());
  ASSERT_EQ(stack.size(), 18u);
  const auto height = [&](std::string_view label) {
    return std::find(stack.begin(), stack.end(), label) - stack.begin();
  };
  for (const Control& a : Controls()) {
    for (const Control& b : Controls()) {
      const bool listed = std::find(pairs.begin(), pairs.end(),
                                    std::pair<std::string_view, std::string_view>{
                                        ControlLabel(a), ControlLabel(b)}) != pairs.end();
      EXPECT_EQ(LiesAbove(a, b), listed) << ControlLabel(a) << " over " << ControlLabel(b);
      if (listed) {
        EXPECT_GT(height(ControlLabel(a)), height(ControlLabel(b)))
            << ControlLabel(a) << " is stacked under " << ControlLabel(b);
      }
    }
  }
}

TEST(Layout, ListHoldsTheBiographiesAndTheBoxTheStatement) {
  const Control* list = BiographyList();
  ASSERT_EQ(list->items.size(), static_cast<std::size_t>(kRowCount));
  for (const QuizRow& row : kQuizRows)
    EXPECT_EQ(list->items[static_cast<std::size_t>(row.index)], row.biography);
  EXPECT_FALSE(list->sorted);
  const Control* text = ResultBox();
  EXPECT_EQ(text->caption, kStatement);
  EXPECT_TRUE(text->multi_line && text->vertical_scroll && text->read_only);
  EXPECT_EQ(Find(u"Text1", 1), nullptr);
  EXPECT_EQ(Find(u"Option1", 9), nullptr);
}

TEST(Layout, TwipsBecomePixelsAtAnyDpi) {
  EXPECT_EQ(TwipsToPixels(285, 144), 29);    // 28.5 rounds up
  EXPECT_EQ(TwipsToPixels(4455, 120), 371);  // 371.25
  EXPECT_EQ(TwipsToPixels(-15, 96), -1);
  EXPECT_EQ(ToPixels(*Find(u"Option2", 4), 96), (PixelRect{8, 24, 297, 19}));
}

}  // namespace
}  // namespace quiz::ui
