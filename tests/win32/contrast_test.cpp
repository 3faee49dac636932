// Captions stay readable in the default colours and in a dark high-contrast scheme: the
// layout stays, every caption has a contrast of at least 4.5:1 with its background, and an
// empty option button's circle stays empty (no dark disc on a light background).
#include "tests/scenarios/contrast.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "tests/scenarios/text_printer.h"
#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

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
  const int px = dpi / 96;  // a pixel at 96 DPI
  switch (c.kind) {
    case ui::Kind::OptionButton:  // the indicator takes a square at one end
      return c.alignment == ui::Alignment::Right ? Area{0, 0, r.width - r.height - 2 * px, r.height}
                                                 : Area{r.height + 2 * px, 0, r.width, r.height};
    case ui::Kind::CommandButton:
      return {4 * px, 4 * px, r.width - 4 * px, r.height - 4 * px};
    case ui::Kind::Frame:  // the caption covers the top edge on its left
      return {10 * px, 0, 36 * px, 14 * px};
    case ui::Kind::Label:
    case ui::Kind::TextBox:
    case ui::Kind::ListBox:
      break;
  }
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
TEST(Win32Contrast, CaptionsAreReadableInADarkHighContrastScheme) {
  const DarkScheme scheme;
  Win32Driver d(ui::win32::Contrast::High);
  ExpectReadable(d, "dark high contrast");
}

}  // namespace
}  // namespace quiz::testing
