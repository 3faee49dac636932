// A frame: a container that draws its group box and caption and passes its buttons'
// notifications and colour requests on to the form.
#pragma once

#include <windows.h>

namespace quiz::ui::win32 {

inline constexpr wchar_t kFrameClassName[] = L"PioneersQuizFrame";

// Registers the frame's window class; true when it exists afterwards.
bool RegisterFrameClass(HINSTANCE instance);

}  // namespace quiz::ui::win32
