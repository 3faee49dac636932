// The Windows program: the quiz window, shown, until the user closes it.
#include <windows.h>

#include "window/win32/quiz_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const HWND window = quiz::win32::CreateQuizWindow(instance, true);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  return quiz::win32::RunMessageLoop(window);
}
