#include "window/win32/win32_window.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "resources/resource.h"
#include "window/layout.h"
#include "window/win32/command_button.h"
#include "window/win32/dpi.h"
#include "window/win32/frame.h"
#include "window/win32/option_group.h"
#include "window/win32/recipes.h"
#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {
namespace {

// Window styles of the form: fixed single border, caption and system menu only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Sets up the result box's accessible properties once the window is drawn: a timer comes
// after every pending paint, so that starting never waits for the system's COM.
constexpr UINT_PTR kAccessibilityTimer = 1;

HICON LoadFormIcon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUIZ_ICON_ID), IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_SHARED));
}

bool RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = procedure;
  form.cbWndExtra = DLGWINDOWEXTRA;  // the dialog manager keeps its state there
  form.hInstance = instance;
  form.hIcon = LoadFormIcon(instance, SM_CXICON, SM_CYICON);
  form.hIconSm = LoadFormIcon(instance, SM_CXSMICON, SM_CYSMICON);
  form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  form.lpszClassName = kFormClassName;
  return RegisterClassExW(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Win32Window* Win32Window::Open(HINSTANCE instance, bool ends_program,
                               HighContrastQuery high_contrast) {
  if (!RegisterFormClass(instance, &FormProc) || !RegisterFrameClass(instance)) return nullptr;
  std::unique_ptr<Win32Window> owner(new Win32Window(ends_program, high_contrast));
  Win32Window* self = owner.get();
  const std::wstring caption = Wide(Form().caption);
  const HWND window =
      CreateWindowExW(kFormExStyle, kFormClassName, caption.c_str(), kFormStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, &owner);
  if (window == nullptr) return nullptr;
  if (!self->Build()) {
    DestroyWindow(window);
    return nullptr;
  }
  return self;
}

const Win32Window* Win32Window::Of(HWND window) {
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) == 0 || std::wstring_view(name) != kFormClassName) {
    return nullptr;
  }
  return reinterpret_cast<const Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Win32Window::~Win32Window() {
  if (font_ != nullptr) DeleteObject(font_);
}

LRESULT CALLBACK Win32Window::FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    // The window takes over the object from Open.
    auto* owner = static_cast<std::unique_ptr<Win32Window>*>(
        reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    Win32Window* self = owner->release();
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefDlgProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    const LRESULT result = DefDlgProcW(window, message, wparam, lparam);
    delete self;
    return result;
  }
  return self->Handle(message, wparam, lparam);
}

bool Win32Window::Build() {
  dpi_ = DpiOf(window_);
  font_ = CreateFormFont(dpi_);
  if (font_ == nullptr || !palette_.Create()) return false;

  // The dialog manager moves the focus with Tab in the order of creation among siblings,
  // so the form's controls are created in the order of their tab indexes.
  controls_.assign(Controls().size(), nullptr);
  for (const Control* c : ChildrenInTabOrder(nullptr)) {
    const HWND control = Create(*c, window_, 0);
    if (control == nullptr) return false;
    if (c->kind != Kind::Frame) continue;
    const auto make = [&](const Control& option, DWORD style) {
      return Create(option, control, style);
    };
    if (!CreateOptionGroup(*c, make)) return false;
    for (const Control* child : ChildrenInTabOrder(c)) {
      if (child->kind != Kind::OptionButton && Create(*child, control, 0) == nullptr) return false;
    }
  }
  SizeForm(window_, dpi_);
  adapter_.Load();
  SetTimer(window_, kAccessibilityTimer, USER_TIMER_MINIMUM, nullptr);
  return true;
}

HWND Win32Window::Create(const Control& def, HWND parent, DWORD extra_style) {
  const std::optional<std::size_t> position = PositionOf(def);
  if (!position) return nullptr;
  const Recipe recipe = RecipeFor(def);
  const DWORD style = WS_CHILD | (def.visible ? WS_VISIBLE : 0) | recipe.style | extra_style;
  const std::wstring caption = recipe.caption_at_creation ? Wide(def.caption) : std::wstring();
  const PixelRect r = ToPixels(def, static_cast<int>(dpi_));
  const auto id = static_cast<INT_PTR>(kFirstControlId) + static_cast<INT_PTR>(*position);
  const HWND control = CreateWindowExW(
      recipe.ex_style, recipe.window_class, caption.c_str(), style, r.x, r.y, r.width, r.height,
      parent, reinterpret_cast<HMENU>(id),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
  if (control == nullptr) return nullptr;
  controls_[*position] = control;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (recipe.after_creation != nullptr) recipe.after_creation(control, def);
  return control;
}

// The live control of an entry of this kind; nullptr for an entry of another kind or one
// from elsewhere.
HWND Win32Window::HandleOf(const Control& control, Kind kind) const {
  const std::optional<std::size_t> position = PositionOf(control);
  if (control.kind != kind || !position || *position >= controls_.size()) return nullptr;
  return controls_[*position];
}

const Control* Win32Window::ControlOf(HWND control) const {
  if (control == nullptr) return nullptr;
  const long long position = static_cast<long long>(GetDlgCtrlID(control)) - kFirstControlId;
  if (position < 0 || static_cast<unsigned long long>(position) >= controls_.size()) {
    return nullptr;
  }
  const auto at = static_cast<std::size_t>(position);
  return controls_[at] == control ? &Controls()[at] : nullptr;
}

KeyOutcome Win32Window::Answer(KeyPress press) const {
  return AnswerKey(ControlOf(GetFocus()), press, [this](const Control& option) {
    return IsChecked(HandleOf(option, Kind::OptionButton));
  });
}

void Win32Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
  // A change while the window is being built is laid out by the build itself.
  if (controls_.size() != Controls().size() || font_ == nullptr) return;
  HFONT font = CreateFormFont(dpi);
  if (font == nullptr) return;
  dpi_ = dpi;
  std::swap(font_, font);
  for (const HWND control : controls_) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  DeleteObject(font);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls(controls_, dpi_);
  SizeForm(window_, dpi_);
  InvalidateRect(window_, nullptr, TRUE);
}

// New system colours, or high contrast switched on or off: everything is drawn again.
void Win32Window::OnSystemColors(UINT message) {
  if (palette_.Refresh() || message == WM_SYSCOLORCHANGE) {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

LRESULT Win32Window::ColorsFor(HDC dc, HWND control) const {
  const Palette::Colors colors = palette_.Of(ControlOf(control));
  SetTextColor(dc, colors.text);
  SetBkColor(dc, colors.back);
  return reinterpret_cast<LRESULT>(colors.brush);
}

void Win32Window::OnCommand(int id, int code, HWND control) {
  // Enter: the dialog manager finds no default button and sends IDOK; the focused command
  // button is pressed, as a focused push button is.
  if (id == IDOK && code == BN_CLICKED) {
    const Control* focused = ControlOf(GetFocus());
    if (focused != nullptr && focused->kind == Kind::CommandButton) adapter_.Click(*focused);
    return;
  }
  const Control* def = ControlOf(control);
  if (def == nullptr || code != BN_CLICKED) return;
  // An option button reports the click that selected it; a click that leaves it
  // unselected is no choice.
  if (def->kind == Kind::OptionButton && !IsChecked(control)) return;
  adapter_.Click(*def);
}

void Win32Window::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  const Control* def = ControlOf(item.hwndItem);
  if (def == nullptr || def->kind != Kind::CommandButton) return;
  const Palette::Colors colors = palette_.Of(def);
  DrawCommandButton(item, *def, colors.brush, colors.text, font_);
}

void Win32Window::SetSelected(const Control& option, bool selected) {
  const HWND button = HandleOf(option, Kind::OptionButton);
  if (button == nullptr) return;
  if (selected) {
    CheckOnly(button);
  } else {
    Uncheck(button);
  }
}

std::u16string Win32Window::Text(const Control& box) const {
  const HWND live = HandleOf(box, Kind::TextBox);
  return live != nullptr ? WindowText(live) : std::u16string();
}

void Win32Window::SetText(const Control& box, std::u16string_view text) {
  if (const HWND live = HandleOf(box, Kind::TextBox)) SetWindowTextW(live, Wide(text).c_str());
}

std::optional<std::u16string> Win32Window::Item(const Control& list, std::int16_t index) const {
  const HWND live = HandleOf(list, Kind::ListBox);
  if (live == nullptr || index < 0 || index >= SendMessageW(live, LB_GETCOUNT, 0, 0)) {
    return std::nullopt;
  }
  const auto item = static_cast<WPARAM>(index);
  const LRESULT length = SendMessageW(live, LB_GETTEXTLEN, item, 0);
  if (length < 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(live, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return Utf16(text);
}

void Win32Window::Announce(const Control& box) {
  if (const HWND live = HandleOf(box, Kind::TextBox)) AnnounceResult(live);
}

void Win32Window::SetUpAccessibility() {
  KillTimer(window_, kAccessibilityTimer);
  const Control* box = ResultBox();
  if (const HWND live = box != nullptr ? HandleOf(*box, Kind::TextBox) : nullptr) {
    accessibility_.Attach(live, *box);
  }
}

LRESULT Win32Window::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ColorsFor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(window_, &rect);
      FillRect(reinterpret_cast<HDC>(wparam), &rect, palette_.Of(nullptr).brush);
      return 1;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      OnSystemColors(message);
      return DefDlgProcW(window_, message, wparam, lparam);
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_TIMER:
      if (wparam == kAccessibilityTimer) SetUpAccessibility();
      return 0;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      accessibility_.Detach();
      if (ends_program_) PostQuitMessage(0);
      return 0;
    default:
      // The dialog manager's default handling keeps the focus on the right control when
      // the window is activated and moves it on WM_NEXTDLGCTL.
      return DefDlgProcW(window_, message, wparam, lparam);
  }
}

}  // namespace quiz::ui::win32
