// The order of the window definition, and what the layout helpers derive from it: screen
// order, tab stops and stacking.
#include "window/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scenarios/expectations.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/keyboard.h"

namespace quiz::ui {
namespace {

using quiz::testing::ControlLabel;
using quiz::testing::kWindow;
using quiz::testing::Placed;

std::vector<std::string> Labels(const std::vector<const Control*>& controls) {
  std::vector<std::string> labels;
  for (const Control* c : controls) labels.push_back(ControlLabel(*c));
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

// The order of reading, which the page and assistive technology follow, and arrow keys
// within a group; upper buttons lie above the ones below.
TEST(Layout, ScreenOrderAndStackingOfOptionButtons) {
  std::vector<std::string> shown;
  for (const Placed& p : kWindow) {
    if (!p.role.empty()) shown.emplace_back(p.control);
  }
  EXPECT_EQ(Labels(ScreenOrder()), shown);
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

TEST(Layout, TwipsBecomePixelsAtAnyDpi) {
  EXPECT_EQ(TwipsToPixels(285, 144), 29);    // 28.5 rounds up
  EXPECT_EQ(TwipsToPixels(4455, 120), 371);  // 371.25
  EXPECT_EQ(TwipsToPixels(-15, 96), -1);
  EXPECT_EQ(ToPixels(*Find(u"Option2", 4), 96), (PixelRect{8, 24, 297, 19}));
}

}  // namespace
}  // namespace quiz::ui
