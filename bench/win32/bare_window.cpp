// The floor for the Windows startup figures: a bare window with the quiz window's client
// size, colour, caption and manifest, and nothing in it; with --label, only the title label
// in the window's font, to tell the cost of the first text apart.
#include <windows.h>

#include <string>
#include <string_view>

#include "window/definition.h"

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC) {
    const std::uint32_t color = quiz::ui::Find(u"Label1", 0)->back_color;
    static const HBRUSH brush = CreateSolidBrush(color);
    SetBkColor(reinterpret_cast<HDC>(wparam), color);
    return reinterpret_cast<LRESULT>(brush);
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
  const quiz::ui::FormRecord& form = quiz::ui::Form();
  const HBRUSH brush =
      CreateSolidBrush(RGB(quiz::ui::Red(form.back_color), quiz::ui::Green(form.back_color),
                           quiz::ui::Blue(form.back_color)));
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &BareProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = brush;
  window_class.lpszClassName = L"BareWindow";
  RegisterClassExW(&window_class);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const std::wstring caption(form.caption.begin(), form.caption.end());
  const HWND window = CreateWindowExW(0, L"BareWindow", caption.c_str(), style, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  const UINT dpi = GetDpiForWindow(window);
  const int d = static_cast<int>(dpi);
  RECT rect{0, 0, quiz::ui::TwipsToPixels(form.client_width, d),
            quiz::ui::TwipsToPixels(form.client_height, d)};
  AdjustWindowRectExForDpi(&rect, style, FALSE, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (std::wstring_view(command_line).find(L"--label") != std::wstring_view::npos) {
    const quiz::ui::Control& def = *quiz::ui::Find(u"Label1", 0);
    const quiz::ui::PixelRect r = quiz::ui::ToPixels(def, d);
    const std::wstring text(def.caption.begin(), def.caption.end());
    const HWND label =
        CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER, r.x, r.y,
                        r.width, r.height, window, nullptr, instance, nullptr);
    const std::wstring face(form.font.face.begin(), form.font.face.end());
    const HFONT font = CreateFontW(-MulDiv(form.font.points, d, 72), 0, 0, 0, form.font.weight, 0,
                                   0, 0, static_cast<DWORD>(form.font.charset), 0, 0, 0,
                                   DEFAULT_PITCH | FF_ROMAN, face.c_str());
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(brush);
  return 0;
}
