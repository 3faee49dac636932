// The scenario driver for the Windows program: a fresh quiz window per driver, worked
// through real messages to the real controls, with keyboard input passing through the
// window's dialog manager as in the program's message loop.
#pragma once

#include <windows.h>

#include <string>

#include "tests/scenarios/quiz_driver.h"
#include "window/definition.h"
#include "window/win32/quiz_window.h"

namespace quiz::testing {

class Win32Driver : public QuizDriver {
 public:
  Win32Driver() {
    window_ = win32::CreateQuizWindow(GetModuleHandleW(nullptr), false);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    Pump();
  }
  ~Win32Driver() override {
    DestroyWindow(window_);
    Pump();
  }
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;

  HWND window() const { return window_; }
  HWND Control(std::u16string_view name, int index) const {
    const ui::Control* c = ui::Find(name, static_cast<std::int16_t>(index));
    return c != nullptr ? win32::ControlOf(window_, *c) : nullptr;
  }

  void ClickPerson(int i) override { Click(Control(u"Option1", i)); }
  void ClickAchievement(int i) override { Click(Control(u"Option2", i)); }
  void ClickCommand(int i) override { Click(Control(u"Command1", i)); }
  std::u16string ResultText() override {
    const HWND box = Control(u"Text1", 0);
    std::wstring text(static_cast<std::size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    const LRESULT n =
        SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::u16string(text.begin(), text.begin() + n);
  }
  bool PersonSelected(int i) override { return Checked(Control(u"Option1", i)); }
  bool AchievementSelected(int i) override { return Checked(Control(u"Option2", i)); }
  std::optional<std::pair<int, int>> Choices() override {
    const QuizForm* form = win32::FormOf(window_);
    if (form == nullptr) return std::nullopt;
    return std::pair<int, int>{form->person(), form->achievement()};
  }

  // A key pressed and released on the focused control, through the dialog manager.
  void PressKey(WORD key, bool shift = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE shift_before = keys[VK_SHIFT];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(GetFocus(), WM_KEYDOWN, key, scan | 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
    Pump();
    keys[VK_SHIFT] = shift_before;
    SetKeyboardState(keys);
  }

  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win32::DispatchForWindow(window_, msg);
  }

 private:
  void Click(HWND control) {
    if (control == nullptr) return;
    SendMessageW(control, BM_CLICK, 0, 0);
    Pump();
  }
  static bool Checked(HWND button) {
    return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  HWND window_ = nullptr;
};

}  // namespace quiz::testing
