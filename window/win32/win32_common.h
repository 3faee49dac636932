// Small pieces every part of the Windows window uses: text and colour conversions, the
// whole text of a window, and functions of newer systems looked up at run time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "window/definition.h"

namespace quiz::ui::win32 {

// Windows' wide characters are UTF-16 code units, as the definition's text is.
inline std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string Utf16(std::wstring_view text) { return {text.begin(), text.end()}; }

inline COLORREF ToColorRef(std::uint32_t color) {
  return RGB(Red(color), Green(color), Blue(color));
}

// A function of a loaded module; nullptr where the module or the function is missing.
template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through the generic function type, which GCC allows to stand for any other.
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

// A function of user32 that older systems lack; nullptr where it is missing.
template <typename Function>
Function User32Function(const char* name) {
  return ModuleFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

// The whole text of a window.
std::u16string WindowText(HWND window);

}  // namespace quiz::ui::win32
