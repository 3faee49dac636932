// The Windows window: the shared scenarios, conformance suite and a long random run, then
// what only it has: the font and ids of its controls, a DPI change, its border and icon,
// and the start state of the edit control.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "tests/scenarios/random_run.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"
#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

// QUIZ_WITHHOLD_NEWER=1: the window as on Windows 7, without the functions newer systems
// added (the per-monitor DPI functions among them).
const bool kWithheld = [] {
  ui::win32::WithholdNewerFunctions(std::getenv("QUIZ_WITHHOLD_NEWER") != nullptr);
  return ui::win32::NewerFunctionsWithheld();
}();

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, QuizScenario, Win32Driver);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowConformance, Win32Driver);

TEST(Win32RandomRun, WindowFollowsTheModel) {
  const std::uint64_t seed = RandomSeed();
  Win32Driver driver;
  const RandomRunResult result = RunRandomEvents(driver, seed, 3000);
  ASSERT_EQ(result.failure, "") << "replay with QUIZ_RANDOM_SEED=" << seed;
  EXPECT_EQ(result.events, 3000);
}

// The window's font on every control at this DPI; no control has the ids the dialog
// manager gives to Enter and Esc.
void ExpectFontAndIdsAt(Win32Driver& d, int dpi) {
  for (const ui::Control& c : ui::Controls()) {
    SCOPED_TRACE(ControlLabel(c));
    const HWND control = d.Live(c);
    ASSERT_NE(control, nullptr);
    EXPECT_NE(GetDlgCtrlID(control), IDOK);
    EXPECT_NE(GetDlgCtrlID(control), IDCANCEL);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    // Times New Roman, 12 points, regular, Cyrillic.
    EXPECT_EQ(std::tuple(ui::win32::Utf16(font.lfFaceName), font.lfHeight, font.lfWeight,
                         font.lfCharSet, font.lfItalic | font.lfUnderline | font.lfStrikeOut),
              std::tuple(u"Times New Roman", -MulDiv(12, dpi, 72), 400, 204, 0));
  }
}

// At the system's DPI (under Wine the tests run at several), then after a move to a monitor
// of another DPI: laid out again there, in the same place.
TEST(Win32Window, FontAndIdsFollowTheWindowsDpiAndItsChanges) {
  Win32Driver d;
  if (const char* expected = std::getenv("QUIZ_EXPECT_DPI")) {
    ASSERT_EQ(d.Dpi(), std::atoi(expected));
  }
  if (kWithheld) {  // the window goes without them even where the system has them
    EXPECT_EQ(ui::win32::User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow"), nullptr);
  }
  ExpectFontAndIdsAt(d, d.Dpi());
  const int dpi = d.Dpi() == 144 ? 96 : 144;
  RECT r, moved;
  GetWindowRect(d.window(), &r);
  SendMessageW(d.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  ExpectLayoutAt(d, dpi);
  ExpectFontAndIdsAt(d, dpi);
  GetWindowRect(d.window(), &moved);
  EXPECT_EQ(std::pair(moved.left, moved.top), std::pair(r.left, r.top));
}

TEST(Win32Window, CaptionIconAndTheStylesOfFramesAndOptionButtons) {
  Win32Driver d;
  const LONG_PTR style = GetWindowLongPtrW(d.window(), GWL_STYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
  // The icon of the program's resources (linked into the tests as well).
  ICONINFO icon{};
  ASSERT_TRUE(
      GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(d.window(), GCLP_HICON)), &icon));
  BITMAP mask{};
  GetObjectW(icon.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
  DeleteObject(icon.hbmMask);
  if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
  // Frames contain their buttons for the dialog manager.
  EXPECT_TRUE(GetWindowLongPtrW(d.Live(ui::Find(u"Frame1", 0)), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_TRUE(GetWindowLongPtrW(d.Live(ui::PersonButton(4)), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_FALSE(GetWindowLongPtrW(d.Live(ui::AchievementButton(4)), GWL_STYLE) & BS_LEFTTEXT);
}

TEST(Win32Window, OpensWithTheStatementAtTheTopInAnOrdinaryTextBox) {
  Win32Driver d;
  const HWND box = d.Live(ui::ResultBox());
  EXPECT_EQ(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_GT(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 6);  // the statement wraps and scrolls
  const LONG_PTR style = GetWindowLongPtrW(box, GWL_STYLE);
  EXPECT_TRUE((style & ES_MULTILINE) && (style & ES_READONLY) && (style & WS_VSCROLL));
  EXPECT_FALSE(style & ES_AUTOHSCROLL);  // words wrap
  // The read-only box keeps the colour of an ordinary text box.
  const ui::PixelRect r = Win32Driver::RectIn(box, d.window());
  EXPECT_EQ(d.Screen().at(r.x + 4, r.y + r.height - 4) & 0xFFFFFF,
            PixelOf(GetSysColor(COLOR_WINDOW)));
}

// A person chosen with the mouse holds the group's tab stop: Tab enters the group there.
TEST(Win32Keyboard, TabEntersAGroupAtTheButtonChosenWithTheMouse) {
  Win32Driver d;
  d.ClickPerson(7);
  SetFocus(d.Live(ui::ResultBox()));
  d.PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), d.Live(ui::PersonButton(7)));
  d.PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), d.Live(ui::AchievementButton(4)));  // the top one: none is chosen
  EXPECT_EQ(d.Choices(), (std::pair<int, int>{7, kNoAchievement}));
}

}  // namespace
}  // namespace quiz::testing
