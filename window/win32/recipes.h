// How each kind of control of the definition becomes a window: its window class, its
// styles and what it needs once it exists.
#pragma once

#include <windows.h>

#include "window/definition.h"

namespace quiz::ui::win32 {

struct Recipe {
  const wchar_t* window_class;
  DWORD style;     // on top of WS_CHILD, and WS_VISIBLE for a visible control
  DWORD ex_style;  // extended styles
  // Whether the control gets its caption at creation; a text box gets its text after its
  // font, so that the text is laid out once.
  bool caption_at_creation;
  // The step after creation and after the form's font is set; nullptr for none.
  void (*after_creation)(HWND control, const Control& def);
};

Recipe RecipeFor(const Control& def);

}  // namespace quiz::ui::win32
