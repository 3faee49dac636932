// The result box: a read-only multi-line edit control that leaves the dialog keys to the
// dialog manager, and tells assistive technology about each new result.
#pragma once

#include <windows.h>

#include "window/definition.h"

struct IAccPropServices;

namespace quiz::ui::win32 {

// Makes a new edit control the result box: the dialog manager selects none of its text on
// focus and keeps Tab, Enter and Esc for itself (a multi-line edit would otherwise close
// the window on Esc).
void SubclassResultBox(HWND box);

// A live setting as the system's accessibility services number it.
LONG SystemLiveSetting(LiveSetting live);

// A new text in the result box, for assistive technology: the box is a live region, so a
// screen reader reads it out while the focus stays where it is.
void AnnounceResult(HWND box);

// The result box's accessible name and its live-region setting, as the definition gives
// them, kept by the system's accessibility services for as long as the box exists. Without those
// services (no COM, no oleacc) the box keeps working and only these properties are missing.
class ResultBoxAccessibility {
 public:
  ResultBoxAccessibility() = default;
  ResultBoxAccessibility(const ResultBoxAccessibility&) = delete;
  ResultBoxAccessibility& operator=(const ResultBoxAccessibility&) = delete;
  ~ResultBoxAccessibility() { Detach(); }

  // True when both properties were set.
  bool Attach(HWND box, const Control& def);
  // Removes the properties; called before the box is destroyed.
  void Detach();

 private:
  HMODULE ole32_ = nullptr;
  bool com_initialized_ = false;
  IAccPropServices* services_ = nullptr;
  HWND box_ = nullptr;
};

}  // namespace quiz::ui::win32
