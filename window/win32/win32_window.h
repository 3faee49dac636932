// The Windows back end: the quiz window built from the window definition out of the
// system's standard controls, with their events delivered to the controller.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_form.h"
#include "window/back_end.h"
#include "window/definition.h"
#include "window/form_adapter.h"
#include "window/keyboard.h"
#include "window/win32/palette.h"
#include "window/win32/result_box.h"

namespace quiz::ui::win32 {

inline constexpr wchar_t kFormClassName[] = L"PioneersQuizForm";

// Control ids are the definition position plus this; 1 and 2 (IDOK, IDCANCEL) stay free,
// since the dialog manager turns Enter and Esc into commands with those ids.
inline constexpr int kFirstControlId = 100;

// The form: the window that builds every control of the definition, draws their colours,
// delivers their clicks to the controller through the form adapter and follows DPI
// changes. It lives as long as its window.
class Win32Window final : public BackEnd {
 public:
  // Builds the window and every control of the definition, raises the load event and
  // returns the object, its window not yet shown; nullptr on failure. With ends_program,
  // closing the window ends the thread's message loop.
  static Win32Window* Open(HINSTANCE instance, bool ends_program,
                           HighContrastQuery high_contrast = &SystemAsksForHighContrast);

  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;
  ~Win32Window() override;

  // The object of a quiz window; nullptr for any other window.
  static const Win32Window* Of(HWND window);

  HWND handle() const { return window_; }
  const QuizForm& form() const { return adapter_.form(); }
  // What a key does with the focus where it is now, by the keyboard model.
  KeyOutcome Answer(KeyPress press) const;

  void SetSelected(const Control& option, bool selected) override;
  std::u16string Text(const Control& box) const override;
  void SetText(const Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const Control& list, std::int16_t index) const override;
  void Announce(const Control& box) override;

 private:
  Win32Window(bool ends_program, HighContrastQuery high_contrast)
      : ends_program_(ends_program), palette_(high_contrast) {}
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  bool Build();
  HWND Create(const Control& def, HWND parent, DWORD extra_style);
  HWND HandleOf(const Control& control, Kind kind) const;
  const Control* ControlOf(HWND control) const;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT ColorsFor(HDC dc, HWND control) const;
  void OnCommand(int id, int code, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnSystemColors(UINT message);
  void SetUpAccessibility();

  HWND window_ = nullptr;
  bool ends_program_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT font_ = nullptr;
  Palette palette_;
  std::vector<HWND> controls_;  // by position in the definition
  ResultBoxAccessibility accessibility_;
  FormAdapter adapter_{*this};
};

}  // namespace quiz::ui::win32
