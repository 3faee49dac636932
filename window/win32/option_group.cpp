#include "window/win32/option_group.h"

#include "window/layout.h"

namespace quiz::ui::win32 {

bool CreateOptionGroup(const Control& frame,
                       const std::function<HWND(const Control&, DWORD)>& make) {
  bool first = true;
  for (const Control* option : OptionsOnScreen(frame)) {
    if (make(*option, first ? WS_GROUP | WS_TABSTOP : 0) == nullptr) return false;
    first = false;
  }
  return true;
}

void CheckOnly(HWND button) {
  const HWND frame = GetParent(button);
  for (HWND b = GetWindow(frame, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
    if (b != button) SendMessageW(b, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
}

void Uncheck(HWND button) {
  // A button that is neither checked nor a tab stop is unchecked already (the common case
  // when the quiz starts or is cleared); changing its style for nothing costs a round trip.
  if (!IsChecked(button) && (GetWindowLongPtrW(button, GWL_STYLE) & WS_TABSTOP) == 0) return;
  // Unchecking sends no notification, so no click is raised.
  SendMessageW(button, BM_SETCHECK, BST_UNCHECKED, 0);
  // An unchecked option button loses its tab stop.
  const HWND frame = GetParent(button);
  for (HWND b = GetWindow(frame, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
    if (IsChecked(b)) return;
  }
  const HWND top = GetWindow(frame, GW_CHILD);
  const LONG_PTR style = GetWindowLongPtrW(top, GWL_STYLE);
  if ((style & WS_TABSTOP) == 0) SetWindowLongPtrW(top, GWL_STYLE, style | WS_TABSTOP);
}

bool IsChecked(HWND button) {
  return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace quiz::ui::win32
