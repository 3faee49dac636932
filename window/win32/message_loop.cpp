#include "window/win32/message_loop.h"

#include <optional>
#include <utility>

#include "window/keyboard.h"
#include "window/win32/win32_window.h"

namespace quiz::ui::win32 {
namespace {

// A key message's key as the keyboard model names it, with the modifiers held with it.
std::optional<KeyPress> KeyPressOf(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_SYSKEYDOWN &&
      msg.message != WM_SYSKEYUP) {
    return std::nullopt;
  }
  static constexpr std::pair<WPARAM, Key> kKeys[] = {
      {VK_TAB, Key::Tab},      {VK_UP, Key::Up},        {VK_DOWN, Key::Down},
      {VK_LEFT, Key::Left},    {VK_RIGHT, Key::Right},  {VK_SPACE, Key::Space},
      {VK_RETURN, Key::Enter}, {VK_ESCAPE, Key::Escape}};
  KeyPress press;
  for (const auto& [vk, key] : kKeys) {
    if (msg.wParam == vk) press.key = key;
  }
  const auto held = [](int vk) { return GetKeyState(vk) < 0; };
  if (held(VK_SHIFT)) press.modifiers |= kShift;
  if (held(VK_CONTROL)) press.modifiers |= kCtrl;
  if (held(VK_MENU)) press.modifiers |= kAlt;
  if (held(VK_LWIN) || held(VK_RWIN)) press.modifiers |= kMeta;
  return press;
}

// Keys the user works the window with: after any of them the focus mark shows, as the
// dialog manager shows it after Tab.
bool IsKeyboardUse(const MSG& msg, const std::optional<KeyPress>& press) {
  return press && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
         press->key != Key::Escape && press->key != Key::Other;
}

// A key of the window's own (Tab, the arrows, Space, Enter) held with Ctrl, Alt or the
// Windows key, which the keyboard model leaves to the system. The dialog manager would take
// it whatever is held, and the controls too (a multi-line edit moves the focus on Tab, a
// button is pressed by Space); it goes to the system's default handling instead.
bool LeftToTheSystem(HWND form, const std::optional<KeyPress>& press) {
  const Win32Window* window = Win32Window::Of(form);
  if (window == nullptr || !press || (press->modifiers & ~kShift) == 0) return false;
  if (press->key == Key::Escape || press->key == Key::Other) return false;
  return window->Answer(*press).action == KeyAction::Pass;
}

}  // namespace

void DispatchForWindow(HWND form, MSG& msg) {
  if (IsWindow(form)) {
    const std::optional<KeyPress> press = KeyPressOf(msg);
    if (LeftToTheSystem(form, press)) {
      TranslateMessage(&msg);
      DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      return;
    }
    const bool keyboard = IsKeyboardUse(msg, press);
    const bool dialog = IsDialogMessageW(form, &msg) != FALSE;
    // After keyboard use the focus mark shows. A button that an arrow key or Space
    // selects is clicked while it has the focus, and some systems' buttons then draw
    // their focus rectangle a second time, which wipes it out (it is drawn inverted); the
    // focused control is drawn whole once more.
    if (keyboard && IsWindow(form)) {
      SendMessageW(form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      if (const HWND focus = GetFocus(); focus != nullptr && IsChild(form, focus)) {
        InvalidateRect(focus, nullptr, TRUE);
      }
    }
    if (dialog) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop(HWND form) {
  MSG msg;
  BOOL result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (result == -1) return 1;
    DispatchForWindow(form, msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace quiz::ui::win32
