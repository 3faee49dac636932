// The window as every back end must build it: rectangles, parents, visibility, colours,
// the stacking of overlapping option buttons, whole captions, deselection without clicks
// and the keyboard. A back end's test file includes this header and instantiates the
// suite with its driver (a WindowDriver):
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowConformance, QtWindowDriver);
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/keyboard_table.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/text_printer.h"
#include "tests/scenarios/window_driver.h"
#include "window/definition.h"
#include "window/layout.h"

namespace quiz::testing {

inline std::string Hex(std::uint32_t color) {
  return "RGB(" + std::to_string(ui::Red(color)) + ", " + std::to_string(ui::Green(color)) + ", " +
         std::to_string(ui::Blue(color)) + ")";
}

inline std::string Label(const ui::Control* c) { return c != nullptr ? ControlLabel(*c) : "none"; }

inline std::string Describe(const ui::PixelRect& r) {
  return "(" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) +
         " x " + std::to_string(r.height) + ")";
}

template <typename Driver>
class WindowConformance : public ::testing::Test {
 protected:
  const ui::Control& At(std::u16string_view name, int index) {
    const ui::Control* c = ui::Find(name, Index(index));
    EXPECT_NE(c, nullptr) << ToUtf8(name) << "(" << index << ") is not in the definition";
    return c != nullptr ? *c : ui::Controls().front();
  }
  // The selected buttons of an array, by name, in a driver (this test's own by default).
  std::string SelectedIn(std::u16string_view name, WindowDriver* driver = nullptr) {
    WindowDriver& d = driver != nullptr ? *driver : driver_;
    std::string selected;
    for (int i = 0; i < kRowCount; ++i) {
      if (d.Selected(At(name, i))) selected += (selected.empty() ? "" : ", ") + Label(&At(name, i));
    }
    return selected;
  }
  std::u16string ExpectedResult(std::string_view result) {
    if (result == "statement") return std::u16string(kStatement);
    if (result == "wrong") return std::u16string(Wrong().text);
    if (result == "clear") return std::u16string(kMakeYourChoice);
    return RightAnswer(result.back() - '0');
  }
  Driver driver_;
};

TYPED_TEST_SUITE_P(WindowConformance);

// The client area at the window's DPI: 7410 x 5730 twips.
TYPED_TEST_P(WindowConformance, FixedClientAreaOfTheDefinedSize) {
  auto& d = this->driver_;
  if (!d.HasLayout()) GTEST_SKIP() << "this back end lays out nothing";
  const std::map<int, std::pair<int, int>> expected{
      {96, {494, 382}}, {120, {618, 478}}, {144, {741, 573}}, {192, {988, 764}}};
  ASSERT_TRUE(expected.count(d.Dpi())) << "no figures for " << d.Dpi() << " DPI";
  if (const auto size = d.ClientSize()) {
    EXPECT_EQ(*size, expected.at(d.Dpi())) << "client area at " << d.Dpi() << " DPI";
  }
  if (const auto fixed = d.FixedSize()) {
    EXPECT_TRUE(*fixed) << "the window can be resized";
  }
}

TYPED_TEST_P(WindowConformance, EveryControlHasItsRectangleParentAndVisibility) {
  auto& d = this->driver_;
  if (!d.HasLayout()) GTEST_SKIP() << "this back end lays out nothing";
  for (const ui::Control& c : ui::Controls()) {
    const auto rect = d.Rectangle(c);
    ASSERT_TRUE(rect.has_value()) << ControlLabel(c) << " was not built";
    const ui::PixelRect want = ui::ToPixels(c, d.Dpi());
    EXPECT_EQ(*rect, want) << ControlLabel(c) << ": expected " << Describe(want) << ", got "
                           << Describe(*rect) << " at " << d.Dpi() << " DPI";
    EXPECT_EQ(Label(d.LiveParent(c)), Label(ui::ParentOf(c))) << "parent of " << ControlLabel(c);
    EXPECT_EQ(d.Visible(c), ControlLabel(c) != "List1") << ControlLabel(c);
  }
  // Two spot checks in pixels: the top achievement and the result box at 96 DPI.
  if (d.Dpi() == 96) {
    EXPECT_EQ(d.Rectangle(this->At(u"Option2", 4)), (ui::PixelRect{8, 24, 297, 19}));
    EXPECT_EQ(d.Rectangle(this->At(u"Text1", 0)), (ui::PixelRect{8, 240, 473, 137}));
  }
  for (int i = 0; i < kRowCount; ++i) {
    EXPECT_EQ(Label(d.LiveParent(this->At(u"Option1", i))), "Frame1(0)");
    EXPECT_EQ(Label(d.LiveParent(this->At(u"Option2", i))), "Frame1(1)");
  }
}

// The six colours of the window, as the user sees them.
TYPED_TEST_P(WindowConformance, DrawsTheSixColours) {
  auto& d = this->driver_;
  const std::vector<std::pair<const ui::Control*, std::uint32_t>> expected{
      {nullptr, ui::Rgb(192, 192, 255)},
      {&this->At(u"Label1", 0), ui::Rgb(255, 192, 128)},
      {&this->At(u"Frame1", 0), ui::Rgb(192, 192, 255)},
      {&this->At(u"Frame1", 1), ui::Rgb(192, 192, 255)},
      {&this->At(u"Command1", 0), ui::Rgb(128, 255, 128)},
      {&this->At(u"Command1", 1), ui::Rgb(255, 128, 128)},
      {&this->At(u"Option1", 0), ui::Rgb(192, 255, 255)},
      {&this->At(u"Option1", 4), ui::Rgb(192, 255, 255)},
      {&this->At(u"Option2", 0), ui::Rgb(255, 192, 255)},
      {&this->At(u"Option2", 4), ui::Rgb(255, 192, 255)},
  };
  for (const auto& [control, color] : expected) {
    const auto drawn = d.DrawnColor(control);
    if (!drawn) GTEST_SKIP() << "this back end cannot read its pixels";
    EXPECT_EQ(Hex(*drawn), Hex(color)) << Label(control);
  }
}

// Neighbouring option buttons overlap by a few pixels; the strip belongs to the upper one,
// or the lower one would paint over the descenders of the caption above it.
TYPED_TEST_P(WindowConformance, UpperOptionButtonsLieAboveTheOnesBelow) {
  auto& d = this->driver_;
  int pairs = 0;
  for (const ui::Control& upper : ui::Controls()) {
    for (const ui::Control& lower : ui::Controls()) {
      if (!ui::LiesAbove(upper, lower)) continue;
      ++pairs;
      const auto above = d.DrawnAbove(upper, lower);
      if (!above) GTEST_SKIP() << "this back end cannot tell its stacking";
      EXPECT_TRUE(*above) << ControlLabel(upper) << " should lie above " << ControlLabel(lower);
      const auto reverse = d.DrawnAbove(lower, upper);
      EXPECT_FALSE(reverse.value_or(false))
          << ControlLabel(lower) << " lies above " << ControlLabel(upper);
    }
  }
  EXPECT_EQ(pairs, 16);  // each column: eight neighbouring pairs
}

// Every caption is drawn whole: the 18 option buttons, the two command buttons, the frames
// and the title.
TYPED_TEST_P(WindowConformance, EveryCaptionIsDrawnWhole) {
  auto& d = this->driver_;
  for (const ui::Control& c : ui::Controls()) {
    if (c.caption.empty() || c.kind == ui::Kind::TextBox || !c.visible) continue;
    const auto defect = d.CaptionDefect(c);
    if (!defect) GTEST_SKIP() << "this back end cannot compare its captions";
    EXPECT_EQ(*defect, "") << ControlLabel(c) << " \"" << ToUtf8(c.caption) << "\"";
  }
}

// The program's deselection raises no click: after clearing, both choices stay forgotten.
TYPED_TEST_P(WindowConformance, ClearingRaisesNoClick) {
  auto& d = this->driver_;
  d.ClickPerson(2);
  d.ClickAchievement(6);
  EXPECT_EQ(d.Choices(), (std::pair<int, int>{2, 6}));
  d.ClickCommand(1);
  EXPECT_EQ(d.Choices(), (std::pair<int, int>{-5, -15}));
  EXPECT_EQ(this->SelectedIn(u"Option1"), "");
  EXPECT_EQ(this->SelectedIn(u"Option2"), "");
  // The groups stay exclusive after the deselection.
  d.ClickPerson(7);
  d.ClickPerson(1);
  EXPECT_EQ(this->SelectedIn(u"Option1"), "Option1(1)");
}

TYPED_TEST_P(WindowConformance, KeyboardFollowsTheTable) {
  auto& d = this->driver_;
  if (!d.HasKeyboard()) GTEST_SKIP() << "this back end has no keyboard";
  for (const KeyRun& run : kKeyRuns) {
    TypeParam fresh;  // each run from a window just opened
    ASSERT_EQ(Label(fresh.Focused()), kStartFocus) << run.name << ": focus at start";
    int n = 0;
    for (const KeyStep& step : run.steps) {
      ++n;
      fresh.Press(step.key);
      const std::string where = std::string(run.name) + " step " + std::to_string(n);
      EXPECT_EQ(Label(fresh.Focused()), step.focus) << where << ": focus";
      EXPECT_EQ(this->SelectedIn(u"Option1", &fresh), step.person) << where << ": selected person";
      EXPECT_EQ(this->SelectedIn(u"Option2", &fresh), step.achievement)
          << where << ": selected achievement";
      if (const auto choices = fresh.Choices()) {
        EXPECT_EQ(*choices, (std::pair<int, int>{step.chosen_person, step.chosen_achievement}))
            << where << ": choices";
      }
      EXPECT_EQ(ToUtf8(fresh.ResultText()), ToUtf8(this->ExpectedResult(step.result)))
          << where << ": result box";
      if (const auto visible = fresh.FocusVisible()) {
        EXPECT_TRUE(*visible) << where << ": no focus mark on " << step.focus;
      }
      if (::testing::Test::HasFailure()) return;  // later steps build on this one
    }
  }
}

REGISTER_TYPED_TEST_SUITE_P(WindowConformance, FixedClientAreaOfTheDefinedSize,
                            EveryControlHasItsRectangleParentAndVisibility, DrawsTheSixColours,
                            UpperOptionButtonsLieAboveTheOnesBelow, EveryCaptionIsDrawnWhole,
                            ClearingRaisesNoClick, KeyboardFollowsTheTable);

}  // namespace quiz::testing
