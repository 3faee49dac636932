// The window as every back end must build, draw and key it; a back end's test instantiates
// the suite with its WindowDriver.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/contrast.h"
#include "tests/scenarios/expectations.h"
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

inline std::string Describe(const ui::PixelRect& r) {
  return "(" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) +
         " x " + std::to_string(r.height) + ")";
}

// Every caption stands out from its control's colour by at least 4.5:1, and an empty option
// button's indicator stays an empty well, close to that colour (no dark disc on a light one).
inline void ExpectReadable(WindowDriver& d) {
  for (const ui::Control& c : ui::Controls()) {
    if (c.caption.empty() || !c.visible) continue;
    if (const auto contrast = d.CaptionContrast(c)) {
      EXPECT_GE(*contrast, 4.5) << ControlLabel(c);
    }
    if (c.kind != ui::Kind::OptionButton) continue;
    const auto well = d.EmptyIndicator(c);
    const auto ground = d.DrawnColor(&c);
    ASSERT_TRUE(well && ground) << ControlLabel(c) << ": no indicator";
    EXPECT_LT(Contrast(PixelOf(*well), PixelOf(*ground)), 3.0)
        << ControlLabel(c) << ": the empty indicator is a disc";
  }
}

template <typename Driver>
class WindowConformance : public ::testing::Test {
 protected:
  const ui::Control& At(std::string_view label) {
    const ui::Control* c = ControlNamed(label);
    EXPECT_NE(c, nullptr) << label << " is not in the definition";
    return c != nullptr ? *c : ui::Controls().front();
  }
  Driver driver_;
};

TYPED_TEST_SUITE_P(WindowConformance);

// The client area and every control where the window puts them at a DPI: rectangle, parent
// and visibility.
inline void ExpectLayoutAt(WindowDriver& d, int dpi) {
  const auto* size = std::find_if(std::begin(kClientSizes), std::end(kClientSizes),
                                  [&](const ClientSize& s) { return s.dpi == dpi; });
  ASSERT_NE(size, std::end(kClientSizes)) << "no figures for " << dpi << " DPI";
  if (const auto client = d.ClientSize()) {
    EXPECT_EQ(*client, (std::pair<int, int>{size->width, size->height})) << dpi << " DPI";
  }
  EXPECT_TRUE(d.FixedSize().value_or(true)) << "the window can be resized";
  for (const Placed& p : kWindow) {
    const ui::Control* c = ControlNamed(p.control);
    ASSERT_NE(c, nullptr) << p.control << " is not in the definition";
    const auto rect = d.Rectangle(*c);
    ASSERT_TRUE(rect.has_value()) << p.control << " was not built";
    const ui::PixelRect want = PixelsAt(p, dpi);
    EXPECT_EQ(*rect, want) << p.control << ": expected " << Describe(want) << ", got "
                           << Describe(*rect) << " at " << dpi << " DPI";
    EXPECT_EQ(Label(d.LiveParent(*c)), p.parent.empty() ? "none" : p.parent) << p.control;
    EXPECT_EQ(d.Visible(*c), !p.role.empty()) << p.control;
  }
}

TYPED_TEST_P(WindowConformance, LaidOutAtItsDpi) {
  if (!this->driver_.HasLayout()) GTEST_SKIP() << "this back end lays out nothing";
  ExpectLayoutAt(this->driver_, this->driver_.Dpi());
}

// The six colours as drawn, on an array's top and bottom rows; the result box the system's.
TYPED_TEST_P(WindowConformance, DrawsTheSixColours) {
  auto& d = this->driver_;
  for (const Colour& colour : kColours) {
    const std::string name(colour.control);
    std::vector<const ui::Control*> controls{nullptr};
    if (name.ends_with(')')) controls = {&this->At(name)};
    if (!name.empty() && !name.ends_with(')'))
      controls = {&this->At(name + "(0)"), &this->At(name + "(4)")};
    for (const ui::Control* control : controls) {
      const auto drawn = d.DrawnColor(control);
      if (!drawn) GTEST_SKIP() << "this back end cannot read its pixels";
      EXPECT_EQ(Hex(*drawn), Hex(ui::Rgb(colour.red, colour.green, colour.blue))) << Label(control);
    }
  }
  if (const auto field = d.FieldColor()) {
    EXPECT_EQ(Hex(d.DrawnColor(ui::ResultBox()).value_or(0)), Hex(*field)) << "Text1(0)";
  }
}

// Where neighbouring option buttons overlap, the upper one is drawn: otherwise the lower one
// would paint over the descenders of the caption above it.
TYPED_TEST_P(WindowConformance, UpperOptionButtonsLieAboveTheOnesBelow) {
  auto& d = this->driver_;
  for (const auto& [upper, lower] : OverlappingPairs()) {
    const auto above = d.DrawnAbove(this->At(upper), this->At(lower));
    if (!above) GTEST_SKIP() << "this back end cannot tell its stacking";
    EXPECT_TRUE(*above) << upper << " should lie above " << lower;
    EXPECT_FALSE(d.DrawnAbove(this->At(lower), this->At(upper)).value_or(false))
        << lower << " lies above " << upper;
  }
}

TYPED_TEST_P(WindowConformance, CaptionsStandOutAndEmptyIndicatorsStayEmpty) {
  if (!this->driver_.HasLayout()) GTEST_SKIP() << "this back end draws nothing";
  ExpectReadable(this->driver_);
}

// Every caption is drawn whole.
TYPED_TEST_P(WindowConformance, EveryCaptionIsDrawnWhole) {
  auto& d = this->driver_;
  for (const ui::Control& c : ui::Controls()) {
    if (c.caption.empty() || c.kind == ui::Kind::TextBox || !c.visible) continue;
    const auto defect = d.CaptionDefect(c);
    if (!defect) GTEST_SKIP() << "this back end cannot compare its captions";
    EXPECT_EQ(*defect, "") << ControlLabel(c) << " \"" << ToUtf8(c.caption) << "\"";
  }
}

// The program's selection and deselection raise no click: the choices stay as they were.
// Selected by the program, a button is the one selected in its group.
TYPED_TEST_P(WindowConformance, TheProgramsSelectionRaisesNoClick) {
  auto& d = this->driver_;
  d.ClickPerson(4);  // the top one
  d.ClickAchievement(6);
  d.back_end().SetSelected(*ui::PersonButton(2), true);
  EXPECT_EQ(SelectedIn(d, u"Option1"), "Option1(2)");
  EXPECT_EQ(d.Choices(), (std::pair<int, int>{4, 6}));
  d.ClickCommand(1);
  EXPECT_EQ(d.Choices(), (std::pair<int, int>{kNoPerson, kNoAchievement}));
  EXPECT_EQ(SelectedIn(d, u"Option1") + SelectedIn(d, u"Option2"), "");
  // The groups stay exclusive after the deselection.
  d.ClickPerson(7);
  d.ClickPerson(1);
  EXPECT_EQ(SelectedIn(d, u"Option1"), "Option1(1)");
}

// Each press of a command button that writes the result box, by key or by mouse, is
// announced once, the focus staying where it is; choosing a button announces nothing.
TYPED_TEST_P(WindowConformance, EachResultIsAnnouncedOnce) {
  auto& d = this->driver_;
  if (!d.Announcements()) GTEST_SKIP() << "this back end cannot tell its announcements";
  for (const ui::KeyPress key : {kTab, kTab, kTab, kSpace, kEnter, kTab, kSpace}) d.Press(key);
  EXPECT_EQ(Label(d.Focused()), "Command1(1)");
  EXPECT_EQ(d.Announcements(), 3);  // on Command1(0) twice, on Command1(1) once
  d.ClickPerson(3);
  d.ClickAchievement(3);
  EXPECT_EQ(d.Announcements(), 3);
  d.ClickCommand(0);  // two writes: "Правилно." then the whole answer
  EXPECT_EQ(d.Announcements(), 4);
  d.ClickCommand(1);
  EXPECT_EQ(d.Announcements(), 5);
}

// Operations on a control of another kind, or on an item the list lacks, change nothing.
TYPED_TEST_P(WindowConformance, OperationsOutsideTheirControlsChangeNothing) {
  auto& d = this->driver_;
  ui::BackEnd& window = d.back_end();
  const ui::Control& list = *ui::BiographyList();
  d.ClickPerson(7);
  window.SetSelected(*ui::ResultBox(), true);
  window.SetSelected(*ui::CommandButton(0), true);
  window.SetText(list, u"x");
  EXPECT_EQ(SelectedIn(d, u"Option1"), "Option1(7)");
  EXPECT_FALSE(d.Selected(*ui::CommandButton(0)));
  EXPECT_EQ(window.Text(list), u"");
  EXPECT_EQ(ToUtf8(d.ResultText()), ToUtf8(kStatement));
  EXPECT_FALSE(window.Item(list, kRowCount).has_value());
  EXPECT_FALSE(window.Item(list, -1).has_value());
  EXPECT_FALSE(window.Item(*ui::ResultBox(), 0).has_value());
  EXPECT_EQ(window.Item(list, 8), std::u16string(kQuizRows[8].biography));
}

REGISTER_TYPED_TEST_SUITE_P(WindowConformance, LaidOutAtItsDpi, DrawsTheSixColours,
                            UpperOptionButtonsLieAboveTheOnesBelow,
                            CaptionsStandOutAndEmptyIndicatorsStayEmpty, EveryCaptionIsDrawnWhole,
                            TheProgramsSelectionRaisesNoClick, EachResultIsAnnouncedOnce,
                            OperationsOutsideTheirControlsChangeNothing);

}  // namespace quiz::testing
