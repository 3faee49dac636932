// The scenario and window drivers for the Windows program: a fresh quiz window per driver,
// worked through real messages and its message loop, read from its pixels.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scenarios/contrast.h"
#include "tests/scenarios/text_printer.h"
#include "tests/scenarios/window_driver.h"
#include "window/definition.h"
#include "window/win32/message_loop.h"
#include "window/win32/win32_common.h"
#include "window/win32/win32_window.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace quiz::testing {

// Pixels of a device context's area, top row first, as 0x00RRGGBB.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;
  // A point outside the area reads as white.
  std::uint32_t at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFF;
    return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)];
  }
  // Dark enough to be a glyph's or an indicator's ink on the window's pastel backgrounds.
  bool Ink(int x, int y) const {
    const std::uint32_t p = at(x, y);
    return ((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF) < 100 * 10;
  }
};

// Copies an area of a device context, or paints into a fresh bitmap with paint(dc).
template <typename Paint>
Pixels Capture(int width, int height, Paint paint) {
  Pixels pixels{width, height, {}};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC memory = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  paint(memory);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  pixels.data.assign(p, p + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

class Win32Driver : public WindowDriver {
 public:
  explicit Win32Driver(
      ui::win32::HighContrastQuery high_contrast = &ui::win32::SystemAsksForHighContrast)
      : object_(ui::win32::Win32Window::Open(GetModuleHandleW(nullptr), false, high_contrast)) {
    if (object_ == nullptr) {
      ADD_FAILURE() << "the quiz window could not be created (error " << GetLastError() << ")";
      return;
    }
    window_ = object_->handle();
    // The live controls by position in the definition: the form's descendants by their ids.
    handles_.assign(ui::Controls().size(), nullptr);
    EnumChildWindows(window_, &Collect, reinterpret_cast<LPARAM>(&handles_));
    announced_.clear();
    hook_ = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                            &OnLiveRegion, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    Pump();
  }
  ~Win32Driver() override {
    if (hook_ != nullptr) UnhookWinEvent(hook_);
    DestroyWindow(window_);
    Pump();
  }
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;

  HWND window() const { return window_; }
  // The live control built for an entry; nullptr where the window has none.
  HWND Live(const ui::Control* c) const {
    const std::optional<std::size_t> position = c != nullptr ? ui::PositionOf(*c) : std::nullopt;
    return position ? handles_[*position] : nullptr;
  }
  HWND Live(const ui::Control& c) const { return Live(&c); }
  // The entry a live control was built for; nullptr for any other window.
  const ui::Control* ControlOf(HWND control) const {
    const auto at = std::find(handles_.begin(), handles_.end(), control);
    if (control == nullptr || at == handles_.end()) return nullptr;
    return &ui::Controls()[static_cast<std::size_t>(at - handles_.begin())];
  }

  ui::BackEnd& back_end() override { return *object_; }
  const QuizForm& form() override { return object_->form(); }
  void Click(const ui::Control& c) override {
    SendMessageW(Live(c), BM_CLICK, 0, 0);
    Pump();
  }

  // The window's own DPI where the system has one (looked up here, never withheld), else the
  // screen's.
  int Dpi() override {
    const auto window_dpi = ui::win32::ModuleFunction<UINT(WINAPI*)(HWND)>(
        GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (window_dpi != nullptr) return static_cast<int>(window_dpi(window_));
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
  }
  std::optional<std::pair<int, int>> ClientSize() override {
    RECT client;
    GetClientRect(window_, &client);
    return std::pair<int, int>{client.right, client.bottom};
  }
  std::optional<bool> FixedSize() override {
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    return (style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0;
  }
  std::optional<ui::PixelRect> Rectangle(const ui::Control& c) override {
    const HWND control = Live(c);
    if (control == nullptr) return std::nullopt;
    return RectIn(control, GetParent(control));
  }
  const ui::Control* LiveParent(const ui::Control& c) override {
    const HWND parent = GetParent(Live(c));
    return parent == window_ ? nullptr : ControlOf(parent);
  }
  bool Visible(const ui::Control& c) override { return IsWindowVisible(Live(c)) != FALSE; }

  // A point no caption or border covers: beside an option button's caption away from the
  // indicator, inside a command button's or the text box's edge, below a frame's last button.
  std::optional<std::uint32_t> DrawnColor(const ui::Control* c) override {
    const Pixels form = Screen();
    if (c == nullptr) return PixelOf(form.at(4, 4));
    const ui::PixelRect r = RectIn(Live(*c), window_);
    int x = 2, y = r.height - 2;
    if (c->kind == ui::Kind::OptionButton) {
      x = c->alignment == ui::Alignment::Right ? 1 : r.width - 2;
      y = r.height / 2;
    } else if (c->kind == ui::Kind::CommandButton) {
      x = y = 4;
    } else if (c->kind == ui::Kind::Frame || c->kind == ui::Kind::TextBox) {
      x = c->kind == ui::Kind::Frame ? r.width - 4 : 4;
      y = r.height - 4;
    }
    return PixelOf(form.at(r.x + x, r.y + y));
  }

  std::optional<std::uint32_t> FieldColor() override { return GetSysColor(COLOR_WINDOW); }

  // Upper lies above lower in the window system's order of siblings, and the strip where
  // they overlap belongs to upper when the window system looks for the control at a point.
  std::optional<bool> DrawnAbove(const ui::Control& upper, const ui::Control& lower) override {
    const HWND up = Live(upper), low = Live(lower);
    bool above = false;
    for (HWND w = GetWindow(up, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      above = above || w == low;
    }
    const ui::PixelRect u = RectIn(up, GetParent(up)), l = RectIn(low, GetParent(low));
    const int top = std::max(u.y, l.y), bottom = std::min(u.y + u.height, l.y + l.height);
    if (bottom <= top) return above;
    const int left = std::max(u.x, l.x), right = std::min(u.x + u.width, l.x + l.width);
    const POINT strip{(left + right) / 2, bottom - 1};
    return above && ChildWindowFromPointEx(GetParent(up), strip, CWP_SKIPINVISIBLE) == up;
  }

  // The control painted alone into a bitmap of its own size against the same control in the
  // window: every ink pixel of the first must be ink in the second.
  std::optional<std::string> CaptionDefect(const ui::Control& c) override {
    const HWND control = Live(c);
    if (control == nullptr) return "not built";
    const Pixels form = Screen();
    const ui::PixelRect r = RectIn(control, window_);
    const Pixels alone = Capture(r.width, r.height, [&](HDC dc) {
      SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT | PRF_ERASEBKGND);
    });
    int ink = 0, lost = 0, first_row = -1, last_row = -1;
    for (int y = 0; y < r.height; ++y) {
      for (int x = 0; x < r.width; ++x) {
        if (!alone.Ink(x, y)) continue;
        ++ink;
        if (form.Ink(r.x + x, r.y + y)) continue;
        ++lost;
        if (first_row < 0) first_row = y;
        last_row = y;
      }
    }
    if (ink == 0) return std::string("no caption drawn");
    if (lost == 0) return std::string();
    return std::to_string(lost) + " of " + std::to_string(ink) +
           " caption pixels missing in rows " + std::to_string(first_row) + "-" +
           std::to_string(last_row) + " of " + std::to_string(r.height) + " at " +
           std::to_string(Dpi()) + " DPI";
  }

  // Where a caption is drawn, away from an option button's indicator and the border; a
  // frame's over its top edge. The result box's text is the system's.
  std::optional<double> CaptionContrast(const ui::Control& c) override {
    if (c.kind == ui::Kind::TextBox) return std::nullopt;
    const Pixels form = Screen();
    const ui::PixelRect r = RectIn(Live(c), window_);
    const std::uint32_t back = PixelOf(DrawnColor(&c).value_or(0));
    const int px = Dpi() / 96;  // a pixel at 96 DPI
    int left = 0, top = 0, right = r.width, bottom = r.height;
    if (c.kind == ui::Kind::OptionButton && c.alignment == ui::Alignment::Right) {
      right = r.width - r.height - 2 * px;
    } else if (c.kind == ui::Kind::OptionButton) {
      left = r.height + 2 * px;
    } else if (c.kind == ui::Kind::CommandButton) {
      left = top = 4 * px, right -= 4 * px, bottom -= 4 * px;
    } else if (c.kind == ui::Kind::Frame) {
      left = 10 * px, right = 36 * px, bottom = 14 * px;
    }
    double best = 1.0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        best = std::max(best, Contrast(form.at(r.x + x, r.y + y) & 0xFFFFFF, back));
      }
    }
    return best;
  }
  // The middle of what differs from the button's colour in the indicator's square (12 pixels
  // at 96 DPI, and one more) at the button's end; nothing where nothing differs.
  std::optional<std::uint32_t> EmptyIndicator(const ui::Control& c) override {
    if (c.kind != ui::Kind::OptionButton || Selected(c)) return std::nullopt;
    const Pixels form = Screen();
    const ui::PixelRect r = RectIn(Live(c), window_);
    const std::uint32_t back = PixelOf(DrawnColor(&c).value_or(0));
    const int side = 12 * Dpi() / 96 + 2;
    const int from = c.alignment == ui::Alignment::Right ? r.width - side : 0;
    int left = r.width, right = -1, top = r.height, bottom = -1;
    for (int y = 0; y < r.height; ++y) {
      for (int x = from; x < from + side; ++x) {
        if ((form.at(r.x + x, r.y + y) & 0xFFFFFF) == back) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    if (right < left) return std::nullopt;
    return PixelOf(form.at(r.x + (left + right) / 2, r.y + (top + bottom) / 2) & 0xFFFFFF);
  }

  // Live-region events for the result box as a screen reader gets them (out of context,
  // through this thread's queue), counted once no more come.
  std::optional<int> Announcements() override {
    for (std::size_t seen = ~std::size_t{0}; seen != announced_.size();) {
      seen = announced_.size();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      Pump();
    }
    return static_cast<int>(
        std::count(announced_.begin(), announced_.end(), Live(ui::ResultBox())));
  }

  void Press(ui::KeyPress press) override {
    static constexpr WORD kKeys[] = {VK_TAB,   VK_UP,     VK_DOWN,   VK_LEFT, VK_RIGHT,
                                     VK_SPACE, VK_RETURN, VK_ESCAPE, VK_F24};
    static_assert(std::size(kKeys) == ui::kKeyCount);
    PressKey(kKeys[static_cast<std::size_t>(press.key)], press.modifiers);
  }
  const ui::Control* Focused() override { return ControlOf(GetFocus()); }

  // A button shows the focus as a dotted rectangle: a row of at least eight pixels that
  // alternate between two colours. The result box shows it as its caret.
  std::optional<bool> FocusVisible() override {
    const HWND focus = GetFocus();
    const ui::Control* c = ControlOf(focus);
    if (c == nullptr) return false;
    if (c->kind == ui::Kind::TextBox) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      GetGUIThreadInfo(GetCurrentThreadId(), &info);
      return info.hwndCaret == focus;
    }
    const Pixels form = Screen();
    const ui::PixelRect r = RectIn(focus, window_);
    for (int y = 0; y < r.height; ++y) {
      int run = 0;
      for (int x = 2; x < r.width; ++x) {
        const std::uint32_t a = form.at(r.x + x - 2, r.y + y), b = form.at(r.x + x - 1, r.y + y),
                            p = form.at(r.x + x, r.y + y);
        run = p == a && p != b ? run + 1 : 0;
        if (run >= 8) return true;
      }
    }
    return false;
  }
  bool Selected(const ui::Control& option) override { return Checked(Live(option)); }

  // A key pressed and released on the focused control with modifiers held, through the
  // program's message loop; with Alt, as the system's key messages.
  void PressKey(WORD key, std::uint8_t modifiers = 0) {
    static constexpr std::pair<std::uint8_t, int> kHeld[] = {
        {ui::kShift, VK_SHIFT}, {ui::kCtrl, VK_CONTROL}, {ui::kAlt, VK_MENU}, {ui::kMeta, VK_LWIN}};
    BYTE keys[256], before[256];
    GetKeyboardState(before);
    std::copy(std::begin(before), std::end(before), std::begin(keys));
    for (const auto& [modifier, vk] : kHeld) keys[vk] = (modifiers & modifier) != 0 ? 0x80 : 0;
    SetKeyboardState(keys);
    const bool alt = (modifiers & ui::kAlt) != 0;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16 |
                        (alt ? LPARAM{1} << 29 : 0) | 1;
    PostMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan);
    Pump();
    PostMessageW(GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, key, scan | (LPARAM{3} << 30));
    Pump();
    SetKeyboardState(before);
  }

  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ui::win32::DispatchForWindow(window_, msg);
  }

  // The form's client area as the window system shows it, after every pending paint.
  Pixels Screen() {
    UpdateWindow(window_);
    Pump();
    RECT client;
    GetClientRect(window_, &client);
    const HDC source = GetDC(window_);
    Pixels pixels = Capture(client.right, client.bottom, [&](HDC dc) {
      BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    });
    ReleaseDC(window_, source);
    return pixels;
  }

  // A window's rectangle relative to another's client area.
  static ui::PixelRect RectIn(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

 private:
  static void CALLBACK OnLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                    DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) announced_.push_back(window);
  }
  static bool Checked(HWND button) {
    return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static BOOL CALLBACK Collect(HWND control, LPARAM handles) {
    auto& by_position = *reinterpret_cast<std::vector<HWND>*>(handles);
    const int position = GetDlgCtrlID(control) - ui::win32::kFirstControlId;
    if (position >= 0 && static_cast<std::size_t>(position) < by_position.size()) {
      by_position[static_cast<std::size_t>(position)] = control;
    }
    return TRUE;
  }

  ui::win32::Win32Window* object_;  // owned by its window
  HWND window_ = nullptr;
  std::vector<HWND> handles_;
  HWINEVENTHOOK hook_ = nullptr;
  static inline std::vector<HWND> announced_;
};

}  // namespace quiz::testing
