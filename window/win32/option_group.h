// A frame's option buttons as one group for the dialog manager: created from the top of
// the screen down, one of them checked at a time, and a tab stop on the group whether or
// not one is checked.
#pragma once

#include <windows.h>

#include <functional>

#include "window/definition.h"

namespace quiz::ui::win32 {

// Creates a frame's option buttons with make(option, extra styles), from the top of the
// screen down: the dialog manager's arrow keys follow the order of creation, and each
// button created earlier lies above the later ones, so that the strip where a button
// overlaps the one below it belongs to the upper button and its caption's descenders. The
// top button opens the group and holds its tab stop while nothing is chosen. False when
// make fails.
bool CreateOptionGroup(const Control& frame,
                       const std::function<HWND(const Control&, DWORD)>& make);

// Checks a button and unchecks the others of its group, as the user's choice would; the
// checked button holds the group's tab stop.
void CheckOnly(HWND button);

// Unchecks a button without a notification. With none left checked the group's top button
// takes the tab stop again, so that Tab still reaches the group.
void Uncheck(HWND button);

bool IsChecked(HWND button);

}  // namespace quiz::ui::win32
