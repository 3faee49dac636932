// What assistive technology and a user of high contrast get: the result box as a live
// region whose every new result is announced, its accessible name, and readable captions.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tests/scenarios/contrast.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/scenario_table.h"
#include "tests/win32/win32_driver.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace quiz::testing {
namespace {

// Live-region events, as a screen reader gets them: hooked out of context, delivered
// through this thread's message queue.
std::vector<HWND> live_region_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) live_region_events.push_back(window);
}

// The events that arrived since the last call, waiting a little for late ones.
std::vector<HWND> TakeEvents(Win32Driver& d, std::size_t expected) {
  for (int i = 0; i < 50 && live_region_events.size() < expected; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    d.Pump();
  }
  d.Pump();
  std::vector<HWND> events;
  events.swap(live_region_events);
  return events;
}

TEST(Win32Accessibility, EveryResultIsAnnouncedForTheResultBoxWhileTheFocusStays) {
  Win32Driver d;
  live_region_events.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                      &OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  const HWND box = d.Live(ui::ResultBox());
  const auto announced_once = [&](const char* how) {
    EXPECT_EQ(TakeEvents(d, 1), std::vector<HWND>{box}) << how;
  };
  // Choosing writes no result and announces nothing.
  d.ClickPerson(3);
  d.ClickAchievement(3);
  EXPECT_EQ(TakeEvents(d, 0).size(), 0u);
  d.ClickCommand(0);
  announced_once("mouse on Command1(0)");
  d.ClickCommand(1);
  announced_once("mouse on Command1(1)");
  SetFocus(box);
  for (int i = 0; i < 3; ++i) d.PressKey(VK_TAB);  // past both groups
  ASSERT_EQ(d.Focused(), ui::CommandButton(0));
  d.PressKey(VK_SPACE);
  announced_once("Space on Command1(0)");
  d.PressKey(VK_RETURN);
  announced_once("Enter on Command1(0)");
  d.PressKey(VK_TAB);
  d.PressKey(VK_SPACE);
  announced_once("Space on Command1(1)");
  EXPECT_EQ(d.Focused(), ui::CommandButton(1));
  EXPECT_EQ(d.ResultText(), ExpectedResult("clear"));
  UnhookWinEvent(hook);
}

// The live settings as the system's accessibility services number them; Wine cannot read
// the property back from the box.
TEST(Win32Accessibility, LiveSettingsAreTheSystemsNumbers) {
  EXPECT_EQ(ui::win32::SystemLiveSetting(ui::LiveSetting::Off), 0);
  EXPECT_EQ(ui::win32::SystemLiveSetting(ui::LiveSetting::Polite), 1);
  EXPECT_EQ(ui::win32::SystemLiveSetting(ui::LiveSetting::Assertive), 2);
}

// The result box's accessible name, as a screen reader reads it; empty where it has none.
std::u16string AccessibleName(HWND box) {
  IAccessible* accessible = nullptr;
  if (AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                 reinterpret_cast<void**>(&accessible)) != S_OK) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::u16string text;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    text.assign(name, name + SysStringLen(name));
  }
  SysFreeString(name);
  accessible->Release();
  return text;
}

// The name a screen reader reads for the result box, through the system's accessibility
// services (set once the window has been drawn).
TEST(Win32Accessibility, ResultBoxIsNamed) {
  Win32Driver d;
  const HWND box = d.Live(ui::ResultBox());
  const std::string_view name =
      std::find_if(std::begin(kWindow), std::end(kWindow), [&](const Placed& p) {
        return ControlNamed(p.control) == ui::ResultBox();
      })->name;
  const auto named = [&] { return ToUtf8(AccessibleName(box)) == name; };
  for (int i = 0; i < 100 && !named(); ++i) {
    Sleep(10);
    d.Pump();
  }
  if (!named() && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
    GTEST_SKIP() << "Wine's accessible-property service takes no properties (E_NOTIMPL)";
  }
  EXPECT_EQ(ToUtf8(AccessibleName(box)), name);
}

// Captions stay readable in the default colours and in a dark high-contrast scheme: the
// layout stays, every caption has a contrast of at least 4.5:1 with its background, and an
// empty option button's circle stays empty (no dark disc on a light background).

// A dark high-contrast scheme for the session while it lives, as a user would pick one.
class DarkScheme {
 public:
  DarkScheme() {
    for (std::size_t i = 0; i < kElements.size(); ++i) saved_[i] = GetSysColor(kElements[i]);
    const std::array<COLORREF, kElements.size()> dark{
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192), RGB(0, 255, 0)};
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), dark.data());
  }
  ~DarkScheme() {
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved_.data());
  }
  DarkScheme(const DarkScheme&) = delete;
  DarkScheme& operator=(const DarkScheme&) = delete;

 private:
  static constexpr std::array<int, 8> kElements{COLOR_BTNFACE,    COLOR_BTNTEXT,   COLOR_WINDOW,
                                                COLOR_WINDOWTEXT, COLOR_3DHILIGHT, COLOR_3DSHADOW,
                                                COLOR_3DLIGHT,    COLOR_GRAYTEXT};
  std::array<COLORREF, kElements.size()> saved_{};
};

struct Area {
  int left, top, right, bottom;  // in the control, right and bottom excluded
};

// Where a control's caption is drawn, away from its indicator and its border.
Area CaptionArea(const ui::Control& c, const ui::PixelRect& r, int dpi) {
  const int px = dpi / 96;                 // a pixel at 96 DPI
  if (c.kind == ui::Kind::OptionButton) {  // the indicator takes a square at one end
    return c.alignment == ui::Alignment::Right ? Area{0, 0, r.width - r.height - 2 * px, r.height}
                                               : Area{r.height + 2 * px, 0, r.width, r.height};
  }
  if (c.kind == ui::Kind::CommandButton)
    return {4 * px, 4 * px, r.width - 4 * px, r.height - 4 * px};
  if (c.kind == ui::Kind::Frame) return {10 * px, 0, 36 * px, 14 * px};  // over the top edge
  return {0, 0, r.width, r.height};
}

void ExpectReadable(Win32Driver& d, const char* scheme) {
  SCOPED_TRACE(scheme);
  const int dpi = d.Dpi();
  ExpectLayoutAt(d, dpi);
  const Pixels form = d.Screen();
  for (const ui::Control& c : ui::Controls()) {
    if (c.caption.empty() || !c.visible || c.kind == ui::Kind::TextBox) continue;
    const ui::PixelRect r = Win32Driver::RectIn(d.Live(c), d.window());
    const std::uint32_t back = PixelOf(d.DrawnColor(&c).value_or(0));
    // The caption's colour: the one farthest from the background in the caption's area.
    const Area a = CaptionArea(c, r, dpi);
    double best = 1.0;
    for (int y = a.top; y < a.bottom; ++y) {
      for (int x = a.left; x < a.right; ++x) {
        best = std::max(best, Contrast(form.at(r.x + x, r.y + y) & 0xFFFFFF, back));
      }
    }
    EXPECT_GE(best, 4.5) << ControlLabel(c) << " \"" << ToUtf8(c.caption) << "\"";
    if (c.kind != ui::Kind::OptionButton) continue;
    // The middle of the empty circle: within the bounds of what differs from the background
    // in the indicator's square.
    const int from = c.alignment == ui::Alignment::Right ? r.width - r.height : 0;
    int left = r.width, right = -1, top = r.height, bottom = -1;
    for (int y = 0; y < r.height; ++y) {
      for (int x = from; x < from + r.height; ++x) {
        if ((form.at(r.x + x, r.y + y) & 0xFFFFFF) == back) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    ASSERT_GE(right, left) << ControlLabel(c) << ": no indicator";
    const std::uint32_t middle = form.at(r.x + (left + right) / 2, r.y + (top + bottom) / 2);
    EXPECT_LT(Contrast(middle & 0xFFFFFF, back), 3.0)
        << ControlLabel(c) << ": the empty circle is a disc";
  }
}

TEST(Win32Contrast, CaptionsAreReadableInTheDefinitionsColours) {
  Win32Driver d;
  ExpectReadable(d, "default colours");
}

// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST), so the window is told.
bool high_contrast = true;
bool AsksForHighContrast() { return high_contrast; }

TEST(Win32Contrast, CaptionsAreReadableInADarkHighContrastScheme) {
  const DarkScheme scheme;
  high_contrast = true;
  Win32Driver d(&AsksForHighContrast);
  ExpectReadable(d, "dark high contrast");
}

// High contrast switched on while the window is open, told by WM_SETTINGCHANGE alone (a
// WM_SYSCOLORCHANGE may follow, or not): the window is drawn again in the system's colours.
TEST(Win32Contrast, ASwitchOfHighContrastRedrawsTheWindow) {
  high_contrast = false;
  Win32Driver d(&AsksForHighContrast);
  const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(d.DrawnColor(nullptr), face);
  high_contrast = true;
  SendMessageW(d.window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(d.DrawnColor(nullptr), face);
  EXPECT_EQ(d.DrawnColor(ui::PersonButton(0)), face);
}

}  // namespace
}  // namespace quiz::testing
