// The window's sizes at a DPI: the DPI a window is shown at, the form's font, the form's
// outer size and the place of every control.
#pragma once

#include <windows.h>

#include <span>

namespace quiz::ui::win32 {

// The DPI a window is shown at.
UINT DpiOf(HWND window);

// The form's font at a DPI; every control uses it.
HFONT CreateFormFont(UINT dpi);

// Sizes the form so that its client area is the definition's at this DPI.
void SizeForm(HWND form, UINT dpi);

// Places the live controls, by position in the definition, where the definition puts them
// at this DPI.
void PlaceControls(std::span<const HWND> controls, UINT dpi);

}  // namespace quiz::ui::win32
