// What assistive technology and a user of high contrast get: the result box's live setting
// and accessible name, the window in high contrast (announcements: the conformance suite).
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tests/scenarios/contrast.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/window_conformance.h"
#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

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

// In a dark high-contrast scheme the layout stays and the captions stay readable. Wine cannot
// switch high contrast on (SPI_SETHIGHCONTRAST), so the window is told.
bool high_contrast = true;
bool AsksForHighContrast() { return high_contrast; }

TEST(Win32Contrast, CaptionsAreReadableInADarkHighContrastScheme) {
  const DarkScheme scheme;
  high_contrast = true;
  Win32Driver d(&AsksForHighContrast);
  ExpectLayoutAt(d, d.Dpi());
  ExpectReadable(d);
}

// High contrast switched on while the window is open, told by WM_SETTINGCHANGE alone (a
// WM_SYSCOLORCHANGE may follow, or not): the window is drawn again in the system's button
// colours, the result box still in its text-field colours.
TEST(Win32Contrast, ASwitchOfHighContrastRedrawsTheWindow) {
  high_contrast = false;
  Win32Driver d(&AsksForHighContrast);
  const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(d.DrawnColor(nullptr), face);
  high_contrast = true;
  SendMessageW(d.window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(d.DrawnColor(nullptr), face);
  EXPECT_EQ(d.DrawnColor(ui::PersonButton(0)), face);
  EXPECT_EQ(d.DrawnColor(ui::ResultBox()), d.FieldColor());
}

}  // namespace
}  // namespace quiz::testing
