// What only the Windows window has, beyond the shared conformance suite: the font and ids
// of its controls, a DPI change, its border and icon, the start state of the edit control,
// one brush per colour, and the hidden list's items.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "quiz/content.h"
#include "tests/scenarios/text_printer.h"
#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

// Every control where the definition puts it at this DPI, with the window's font; no
// control has the ids the dialog manager gives to Enter and Esc.
void ExpectGeometryAndFontAt(Win32Driver& d, int dpi) {
  ExpectLayoutAt(d, dpi);
  for (const ui::Control& c : ui::Controls()) {
    SCOPED_TRACE(ControlLabel(c));
    const HWND control = d.Live(c);
    ASSERT_NE(control, nullptr);
    EXPECT_NE(GetDlgCtrlID(control), IDOK);
    EXPECT_NE(GetDlgCtrlID(control), IDCANCEL);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Times New Roman");
    EXPECT_EQ(font.lfHeight, -MulDiv(12, dpi, 72));
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 204);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  }
}

TEST(Win32Window, FontAndIdsFollowTheDefinitionAtTheWindowsDpi) {
  Win32Driver d;
  // Under Wine the tests also run at other system DPIs; make sure the window got it.
  if (const char* expected = std::getenv("QUIZ_EXPECT_DPI")) {
    ASSERT_EQ(d.Dpi(), std::atoi(expected));
  }
  ExpectGeometryAndFontAt(d, d.Dpi());
}

// Moving to a monitor of another DPI lays the window out again at that DPI.
TEST(Win32Window, FollowsADpiChange) {
  Win32Driver d;
  const int dpi = d.Dpi() == 144 ? 96 : 144;
  RECT r;
  GetWindowRect(d.window(), &r);
  SendMessageW(d.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  ExpectGeometryAndFontAt(d, dpi);
  RECT moved;
  GetWindowRect(d.window(), &moved);
  EXPECT_EQ(moved.left, r.left);
  EXPECT_EQ(moved.top, r.top);
}

TEST(Win32Window, FixedSingleBorderWithCaptionAndIcon) {
  Win32Driver d;
  const LONG_PTR style = GetWindowLongPtrW(d.window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  // The caption is the build's publisher setting.
  EXPECT_EQ(ui::win32::WindowText(d.window()), ui::Form().caption);
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
  const Pixels form = d.Screen();
  EXPECT_EQ(form.at(r.x + 4, r.y + r.height - 4) & 0xFFFFFF, PixelOf(GetSysColor(COLOR_WINDOW)));
}

TEST(Win32Window, ColoursComeFromOneBrushPerColour) {
  Win32Driver d;
  const HDC dc = GetDC(d.window());
  for (const ui::Control& c : ui::Controls()) {
    if (c.kind == ui::Kind::Frame) continue;
    const HWND control = d.Live(c);
    const HWND parent = GetParent(control);
    const auto ask = [&] {
      return reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                   reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(control)));
    };
    const HBRUSH brush = ask();
    EXPECT_EQ(ask(), brush);  // never a new brush per message
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    const COLORREF expected =
        c.back_color == ui::kSystemColor ? GetSysColor(COLOR_WINDOW) : COLORREF{c.back_color};
    EXPECT_EQ(info.lbColor, expected) << ControlLabel(c);
  }
  ReleaseDC(d.window(), dc);
}

// The list control gives back each biography exactly, CR LF and trailing blanks included.
TEST(Win32Window, HiddenListHoldsTheBiographiesInRowOrder) {
  Win32Driver d;
  const HWND list = d.Live(ui::BiographyList());
  EXPECT_FALSE(IsWindowVisible(list));
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), kRowCount);
  for (const QuizRow& row : kQuizRows) {
    wchar_t text[2048];
    const LRESULT n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row.index),
                                   reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::u16string(text, text + n), row.biography);
  }
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
