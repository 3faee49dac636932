#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {
namespace {

bool newer_functions_withheld = false;

}  // namespace

bool NewerFunctionsWithheld() { return newer_functions_withheld; }
void WithholdNewerFunctions(bool withheld) { newer_functions_withheld = withheld; }

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf16(text);
}

}  // namespace quiz::ui::win32
