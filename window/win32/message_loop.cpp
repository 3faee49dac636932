#include "window/win32/message_loop.h"

namespace quiz::ui::win32 {
namespace {

// Keys the user works the window with: after any of them the focus mark shows, as the
// dialog manager shows it after Tab.
bool IsKeyboardUse(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
  switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_SPACE:
    case VK_RETURN:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DispatchForWindow(HWND form, MSG& msg) {
  if (IsWindow(form)) {
    const bool keyboard = IsKeyboardUse(msg);
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
