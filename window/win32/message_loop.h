// The program's message loop: the form's dialog manager gets keyboard messages first
// (Tab, Shift+Tab, arrows, Enter), everything else is dispatched as usual.
#pragma once

#include <windows.h>

namespace quiz::ui::win32 {

// One step of the message loop for the form.
void DispatchForWindow(HWND form, MSG& msg);

// Runs the message loop until the form is closed and returns the exit code.
int RunMessageLoop(HWND form);

}  // namespace quiz::ui::win32
