// A graphical command button: drawn by its form in the button's background colour.
#pragma once

#include <windows.h>

#include "window/definition.h"

namespace quiz::ui::win32 {

// Draws the button raised or pressed in its colours, the caption centred in the form's
// font, and the focus rectangle while it has the focus and the user works the keyboard.
void DrawCommandButton(const DRAWITEMSTRUCT& item, const Control& button, HBRUSH background,
                       COLORREF text_color, HFONT font);

}  // namespace quiz::ui::win32
