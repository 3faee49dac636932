// Small pieces every part of the Windows window uses: text and colour conversions, the
// whole text of a window, and functions looked up at run time (those of newer systems
// among them).
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

// Whether a pointer to a system function calls it as the system does (WINAPI): on 32-bit
// Windows any other convention leaves the stack unbalanced after every call.
template <typename Function>
inline constexpr bool kSystemCall = false;
template <typename Result, typename... Arguments>
inline constexpr bool kSystemCall<Result(WINAPI*)(Arguments...)> = true;

// A function of a loaded module; nullptr where the module or the function is missing.
template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) {
  static_assert(kSystemCall<Function>, "a system function is called as WINAPI");
  if (module == nullptr) return nullptr;
  // Through the generic function type, which GCC allows to stand for any other.
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

// Whether the functions that Windows 7 lacks are withheld, so that the window takes the
// paths it takes there; the tests withhold them on newer systems.
bool NewerFunctionsWithheld();
void WithholdNewerFunctions(bool withheld);

// A function of user32 that Windows 7 lacks, the one way to reach one; nullptr where it
// is missing or withheld.
template <typename Function>
Function User32Function(const char* name) {
  if (NewerFunctionsWithheld()) return nullptr;
  return ModuleFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

// The whole text of a window.
std::u16string WindowText(HWND window);

}  // namespace quiz::ui::win32
