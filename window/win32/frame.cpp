#include "window/win32/frame.h"

#include <string>

#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {
namespace {

// The frame asks the form for its colours like any control; the answer also sets the
// caption's colours in the DC.
HBRUSH FrameBrush(HWND frame, HDC dc) {
  return reinterpret_cast<HBRUSH>(SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC,
                                               reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(frame)));
}

void PaintFrame(HWND frame, HDC dc) {
  const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(frame, 0));
  const HGDIOBJ old_font = SelectObject(dc, font);
  FrameBrush(frame, dc);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT box;
  GetClientRect(frame, &box);
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = Wide(WindowText(frame));
  if (!caption.empty()) {
    const int length = static_cast<int>(caption.size());
    RECT text{metrics.tmAveCharWidth, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), length, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    SetBkMode(dc, OPAQUE);
    DrawTextW(dc, caption.c_str(), length, &text, DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old_font);
}

void EraseFrame(HWND frame, HDC dc) {
  RECT rect;
  GetClientRect(frame, &rect);
  FillRect(dc, &rect, FrameBrush(frame, dc));
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return SendMessageW(GetParent(frame), message, wparam, lparam);
    case WM_SETFONT:
      SetWindowLongPtrW(frame, 0, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam) != 0) InvalidateRect(frame, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(frame, 0);
    case WM_ERASEBKGND:
      EraseFrame(frame, reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(frame, &paint);
      PaintFrame(frame, dc);
      EndPaint(frame, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      if ((lparam & PRF_ERASEBKGND) != 0) EraseFrame(frame, dc);
      PaintFrame(frame, dc);
      return 0;
    }
    default:
      return DefWindowProcW(frame, message, wparam, lparam);
  }
}

}  // namespace

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = &FrameProc;
  frame.cbWndExtra = sizeof(HFONT);
  frame.hInstance = instance;
  frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  frame.lpszClassName = kFrameClassName;
  return RegisterClassExW(&frame) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace quiz::ui::win32
