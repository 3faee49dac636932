#include "window/win32/dpi.h"

#include <string>

#include "window/definition.h"
#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {
namespace {

// The outer size of a window of these styles whose client area is the definition's.
SIZE FormSizeAt(HWND form, UINT dpi) {
  const FormRecord& record = Form();
  const int d = static_cast<int>(dpi);
  RECT rect{0, 0, TwipsToPixels(record.client_width, d), TwipsToPixels(record.client_height, d)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_EXSTYLE));
  if (auto adjust = User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
          "AdjustWindowRectExForDpi")) {
    adjust(&rect, style, FALSE, ex_style, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

UINT DpiOf(HWND window) {
  if (auto get_dpi = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow")) {
    const UINT dpi = get_dpi(window);
    if (dpi != 0) return dpi;
  }
  const HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

HFONT CreateFormFont(UINT dpi) {
  const Font& f = Form().font;
  const std::wstring face = Wide(f.face);
  return CreateFontW(-MulDiv(f.points, static_cast<int>(dpi), 72), 0, 0, 0,
                     f.bold ? FW_BOLD : f.weight, f.italic, f.underline, f.strikeout,
                     static_cast<DWORD>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

void SizeForm(HWND form, UINT dpi) {
  const SIZE size = FormSizeAt(form, dpi);
  constexpr UINT kOnlySize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, kOnlySize);
  // Where the frame and caption turn out to differ from the estimate (their metrics may
  // lag behind a DPI change), correct by what the client area really got.
  const int d = static_cast<int>(dpi);
  RECT client;
  GetClientRect(form, &client);
  const int dx = TwipsToPixels(Form().client_width, d) - client.right;
  const int dy = TwipsToPixels(Form().client_height, d) - client.bottom;
  if (dx != 0 || dy != 0) {
    SetWindowPos(form, nullptr, 0, 0, size.cx + dx, size.cy + dy, kOnlySize);
  }
}

void PlaceControls(std::span<const HWND> controls, UINT dpi) {
  const std::span<const Control> table = Controls();
  for (std::size_t i = 0; i < table.size() && i < controls.size(); ++i) {
    const PixelRect r = ToPixels(table[i], static_cast<int>(dpi));
    SetWindowPos(controls[i], nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace quiz::ui::win32
