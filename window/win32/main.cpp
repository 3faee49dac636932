// The Windows program: the quiz window, shown, until the user closes it.
#include <windows.h>

#include "window/win32/message_loop.h"
#include "window/win32/win32_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const quiz::ui::win32::Win32Window* window = quiz::ui::win32::Win32Window::Open(instance, true);
  if (window == nullptr) return 1;
  ShowWindow(window->handle(), show);
  UpdateWindow(window->handle());
  return quiz::ui::win32::RunMessageLoop(window->handle());
}
