// The Windows back end: the quiz window built from the window definition out of the
// system's standard controls, with their events delivered to the controller.
#pragma once

#include <windows.h>

#include "quiz/quiz_form.h"
#include "window/definition.h"
#include "window/win32/palette.h"

namespace quiz::win32 {

inline constexpr wchar_t kFormClassName[] = L"PioneersQuizForm";

// Builds the quiz window and every control of the definition, raises the load event and
// returns the window, not yet shown; nullptr on failure. The window owns its controller.
// With ends_program, closing the window ends the thread's message loop.
HWND CreateQuizWindow(HINSTANCE instance, bool ends_program,
                      Contrast contrast = Contrast::FromSystem);

// One step of the message loop: the window's dialog manager gets keyboard messages first
// (Tab, Shift+Tab, arrows, Enter), everything else is dispatched as usual.
void DispatchForWindow(HWND window, MSG& msg);

// Runs the message loop until the window is closed and returns the exit code.
int RunMessageLoop(HWND window);

// The controller of a quiz window, and the live control built for an entry of the
// definition; nullptr for other windows or entries.
const QuizForm* FormOf(HWND window);
HWND ControlOf(HWND window, const ui::Control& control);
// The entry of the definition a live control was built for; nullptr for any other window.
const ui::Control* DefinitionOf(HWND window, HWND control);

// Whether the result box's accessible properties (its name, its live-region setting) are
// set; they are set once the window has been drawn.
bool AccessibilityReady(HWND window);

}  // namespace quiz::win32
