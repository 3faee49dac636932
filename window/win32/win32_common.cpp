#include "window/win32/win32_common.h"

namespace quiz::win32 {

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
  const ui::Font& f = ui::Form().font;
  const std::wstring face = Wide(f.face);
  return CreateFontW(-MulDiv(f.points, static_cast<int>(dpi), 72), 0, 0, 0,
                     f.bold ? FW_BOLD : f.weight, f.italic, f.underline, f.strikeout,
                     static_cast<DWORD>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf16(text);
}

}  // namespace quiz::win32
