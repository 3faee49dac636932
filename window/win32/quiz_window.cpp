// The form: the window that builds every control of the definition, draws their colours,
// delivers their clicks to the controller through the form adapter and follows DPI changes.
#include "window/win32/quiz_window.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "window/back_end.h"
#include "window/form_adapter.h"
#include "window/layout.h"
#include "window/win32/command_button.h"
#include "window/win32/frame.h"
#include "window/win32/palette.h"
#include "window/win32/recipes.h"
#include "window/win32/result_box.h"
#include "window/win32/win32_common.h"

namespace quiz::win32 {
namespace {

// Control ids are the definition position plus this; 1 and 2 (IDOK, IDCANCEL) stay free,
// since the dialog manager turns Enter and Esc into commands with those ids.
constexpr int kFirstControlId = 100;

// Window styles of the form: fixed single border, caption and system menu only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Sets up the result box's accessible properties once the window is drawn: a timer comes
// after every pending paint, so that starting never waits for the system's COM.
constexpr UINT_PTR kAccessibilityTimer = 1;

// The outer size of the form whose client area is the definition's at this DPI.
SIZE FormSizeAt(UINT dpi) {
  const ui::FormRecord& form = ui::Form();
  const int d = static_cast<int>(dpi);
  RECT rect{0, 0, ui::TwipsToPixels(form.client_width, d),
            ui::TwipsToPixels(form.client_height, d)};
  if (auto adjust = User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
          "AdjustWindowRectExForDpi")) {
    adjust(&rect, kFormStyle, FALSE, kFormExStyle, dpi);
  } else {
    AdjustWindowRectEx(&rect, kFormStyle, FALSE, kFormExStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Keys the user works the window with: after any of them the focus mark shows, as the
// dialog manager shows it after Tab.
bool IsKeyboardUse(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
  switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_SPACE:
    case VK_RETURN:
      return true;
    default:
      return false;
  }
}

// The live window: the controls built from the definition, the GDI objects they are drawn
// with, and the form adapter, through which the controller acts on the controls.
class QuizWindow final : public ui::BackEnd {
 public:
  QuizWindow(bool ends_program, Contrast contrast)
      : ends_program_(ends_program), palette_(contrast) {}
  QuizWindow(const QuizWindow&) = delete;
  QuizWindow& operator=(const QuizWindow&) = delete;
  ~QuizWindow() override {
    if (font_ != nullptr) DeleteObject(font_);
  }

  void Attach(HWND window) { window_ = window; }
  bool Build();
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  const QuizForm& form() const { return adapter_.form(); }
  bool accessibility_ready() const { return accessibility_ready_; }
  HWND Live(const ui::Control& control) const {
    const std::optional<std::size_t> position = ui::PositionOf(control);
    return position && *position < controls_.size() ? controls_[*position] : nullptr;
  }
  const ui::Control* DefinitionOf(HWND control) const;

  void SetSelected(const ui::Control& option, bool selected) override;
  std::u16string Text(const ui::Control& box) const override;
  void SetText(const ui::Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const ui::Control& list, std::int16_t index) const override;
  void Announce(const ui::Control& box) override;

 private:
  HWND Create(const ui::Control& def, HWND parent, DWORD extra_style);
  bool CreateChildren(const ui::Control& frame, HWND live_frame);
  void Layout();
  void SizeForm();
  LRESULT ColorsFor(HDC dc, HWND control) const;
  void OnCommand(int id, int code, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  bool IsSelected(const ui::Control& option) const;
  void SetUpAccessibility();

  HWND window_ = nullptr;
  bool ends_program_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT font_ = nullptr;
  Palette palette_;
  std::vector<HWND> controls_;  // by position in the definition
  ResultBoxAccessibility accessibility_;
  bool accessibility_ready_ = false;
  ui::FormAdapter adapter_{*this};
};

bool QuizWindow::Build() {
  dpi_ = DpiOf(window_);
  font_ = CreateFormFont(dpi_);
  if (font_ == nullptr || !palette_.Create()) return false;

  // The dialog manager moves the focus with Tab in the order of creation among siblings,
  // so the form's controls are created in the order of their tab indexes.
  controls_.assign(ui::Controls().size(), nullptr);
  for (const ui::Control* c : ui::ChildrenInTabOrder(nullptr)) {
    const HWND control = Create(*c, window_, 0);
    if (control == nullptr) return false;
    if (c->kind == ui::Kind::Frame && !CreateChildren(*c, control)) return false;
  }
  SizeForm();
  adapter_.Load();
  SetTimer(window_, kAccessibilityTimer, USER_TIMER_MINIMUM, nullptr);
  return true;
}

// A frame's option buttons are created from the top of the screen down: the dialog
// manager's arrow keys follow the order of creation, and each button created earlier lies
// above the later ones, so that the strip where a button overlaps the one below it
// belongs to the upper button and its caption's descenders. The top button opens the
// group and holds its tab stop while nothing is chosen.
bool QuizWindow::CreateChildren(const ui::Control& frame, HWND live_frame) {
  bool first = true;
  for (const ui::Control* option : ui::OptionsOnScreen(frame)) {
    if (Create(*option, live_frame, first ? WS_GROUP | WS_TABSTOP : 0) == nullptr) return false;
    first = false;
  }
  for (const ui::Control* c : ui::ChildrenInTabOrder(&frame)) {
    if (c->kind != ui::Kind::OptionButton && Create(*c, live_frame, 0) == nullptr) return false;
  }
  return true;
}

HWND QuizWindow::Create(const ui::Control& def, HWND parent, DWORD extra_style) {
  const std::optional<std::size_t> position = ui::PositionOf(def);
  if (!position) return nullptr;
  const Recipe recipe = RecipeFor(def);
  const DWORD style = WS_CHILD | (def.visible ? WS_VISIBLE : 0) | recipe.style | extra_style;
  const std::wstring caption = recipe.caption_at_creation ? Wide(def.caption) : std::wstring();
  const ui::PixelRect r = ui::ToPixels(def, static_cast<int>(dpi_));
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

const ui::Control* QuizWindow::DefinitionOf(HWND control) const {
  if (control == nullptr) return nullptr;
  const long long position = static_cast<long long>(GetDlgCtrlID(control)) - kFirstControlId;
  if (position < 0 || static_cast<unsigned long long>(position) >= controls_.size()) {
    return nullptr;
  }
  const auto at = static_cast<std::size_t>(position);
  return controls_[at] == control ? &ui::Controls()[at] : nullptr;
}

// Places every control and sizes the form for the current DPI (after a DPI change).
void QuizWindow::Layout() {
  const std::span<const ui::Control> table = ui::Controls();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ui::PixelRect r = ui::ToPixels(table[i], static_cast<int>(dpi_));
    SetWindowPos(controls_[i], nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SizeForm();
}

// Sizes the form so that its client area is the definition's at the current DPI.
void QuizWindow::SizeForm() {
  const SIZE size = FormSizeAt(dpi_);
  constexpr UINT kOnlySize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, kOnlySize);
  // Where the frame and caption turn out to differ from the estimate (their metrics may
  // lag behind a DPI change), correct by what the client area really got.
  const int d = static_cast<int>(dpi_);
  RECT client;
  GetClientRect(window_, &client);
  const int dx = ui::TwipsToPixels(ui::Form().client_width, d) - client.right;
  const int dy = ui::TwipsToPixels(ui::Form().client_height, d) - client.bottom;
  if (dx != 0 || dy != 0) {
    SetWindowPos(window_, nullptr, 0, 0, size.cx + dx, size.cy + dy, kOnlySize);
  }
}

void QuizWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  // A change while the window is being built is laid out by the build itself.
  if (controls_.size() != ui::Controls().size() || font_ == nullptr) return;
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
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT QuizWindow::ColorsFor(HDC dc, HWND control) const {
  const Palette::Colors colors = palette_.Of(DefinitionOf(control));
  SetTextColor(dc, colors.text);
  SetBkColor(dc, colors.back);
  return reinterpret_cast<LRESULT>(colors.brush);
}

void QuizWindow::OnCommand(int id, int code, HWND control) {
  // Enter: the dialog manager finds no default button and sends IDOK; the focused command
  // button is pressed, as a focused push button is.
  if (id == IDOK && code == BN_CLICKED) {
    const ui::Control* focused = DefinitionOf(GetFocus());
    if (focused != nullptr && focused->kind == ui::Kind::CommandButton) adapter_.Click(*focused);
    return;
  }
  const ui::Control* def = DefinitionOf(control);
  if (def == nullptr || code != BN_CLICKED) return;
  // An option button reports the click that selected it; a click that leaves it
  // unselected is no choice.
  if (def->kind == ui::Kind::OptionButton && !IsSelected(*def)) return;
  adapter_.Click(*def);
}

void QuizWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  const ui::Control* def = DefinitionOf(item.hwndItem);
  if (def == nullptr || def->kind != ui::Kind::CommandButton) return;
  const Palette::Colors colors = palette_.Of(def);
  DrawCommandButton(item, *def, colors.brush, colors.text, font_);
}

void QuizWindow::SetSelected(const ui::Control& option, bool selected) {
  const HWND button = option.kind == ui::Kind::OptionButton ? Live(option) : nullptr;
  if (button == nullptr) return;
  const HWND frame = GetParent(button);
  if (selected) {
    // As the user's choice would: the one checked button of its group, holding its tab stop.
    for (HWND b = GetWindow(frame, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
      if (b != button) SendMessageW(b, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    return;
  }
  // A button that is neither checked nor a tab stop is deselected already (the common case
  // when the quiz starts or is cleared); changing its style for nothing costs a round trip.
  if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
      (GetWindowLongPtrW(button, GWL_STYLE) & WS_TABSTOP) == 0) {
    return;
  }
  // Unchecking sends no notification, so no click is raised.
  SendMessageW(button, BM_SETCHECK, BST_UNCHECKED, 0);
  // An unchecked option button loses its tab stop; with none left checked the group could
  // no longer be reached with Tab, so its top button takes the tab stop again.
  for (HWND b = GetWindow(frame, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
    if (SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
  }
  const HWND top = GetWindow(frame, GW_CHILD);
  const LONG_PTR style = GetWindowLongPtrW(top, GWL_STYLE);
  if ((style & WS_TABSTOP) == 0) SetWindowLongPtrW(top, GWL_STYLE, style | WS_TABSTOP);
}

bool QuizWindow::IsSelected(const ui::Control& option) const {
  const HWND button = option.kind == ui::Kind::OptionButton ? Live(option) : nullptr;
  return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::u16string QuizWindow::Text(const ui::Control& box) const {
  const HWND live = box.kind == ui::Kind::TextBox ? Live(box) : nullptr;
  return live != nullptr ? WindowText(live) : std::u16string();
}

void QuizWindow::SetText(const ui::Control& box, std::u16string_view text) {
  const HWND live = box.kind == ui::Kind::TextBox ? Live(box) : nullptr;
  if (live != nullptr) SetWindowTextW(live, Wide(text).c_str());
}

std::optional<std::u16string> QuizWindow::Item(const ui::Control& list, std::int16_t index) const {
  const HWND live = list.kind == ui::Kind::ListBox ? Live(list) : nullptr;
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

void QuizWindow::Announce(const ui::Control& box) {
  if (const HWND live = box.kind == ui::Kind::TextBox ? Live(box) : nullptr) AnnounceResult(live);
}

void QuizWindow::SetUpAccessibility() {
  KillTimer(window_, kAccessibilityTimer);
  const ui::Control* box = ui::ResultBox();
  const HWND live = box != nullptr ? Live(*box) : nullptr;
  if (live != nullptr) accessibility_ready_ = accessibility_.Attach(live, box->accessible_name);
}

LRESULT QuizWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
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
      // New system colours, or high contrast switched on or off: everything is drawn
      // again.
      if (palette_.Refresh() || message == WM_SYSCOLORCHANGE) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
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

QuizWindow* WindowObject(HWND window) {
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) == 0 || std::wstring_view(name) != kFormClassName) {
    return nullptr;
  }
  return reinterpret_cast<QuizWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    // The window takes over the object from CreateQuizWindow.
    auto* owner = static_cast<std::unique_ptr<QuizWindow>*>(
        reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    QuizWindow* self = owner->release();
    self->Attach(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<QuizWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefDlgProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    const LRESULT result = DefDlgProcW(window, message, wparam, lparam);
    delete self;
    return result;
  }
  return self->Handle(message, wparam, lparam);
}

bool RegisterFormClass(HINSTANCE instance) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = &FormProc;
  form.cbWndExtra = DLGWINDOWEXTRA;  // the dialog manager keeps its state there
  form.hInstance = instance;
  form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUIZ_ICON_ID), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_SHARED));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUIZ_ICON_ID), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  form.lpszClassName = kFormClassName;
  return RegisterClassExW(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateQuizWindow(HINSTANCE instance, bool ends_program, Contrast contrast) {
  if (!RegisterFormClass(instance) || !RegisterFrameClass(instance)) return nullptr;
  auto owner = std::make_unique<QuizWindow>(ends_program, contrast);
  QuizWindow* self = owner.get();
  const std::wstring caption = Wide(ui::Form().caption);
  const HWND window =
      CreateWindowExW(kFormExStyle, kFormClassName, caption.c_str(), kFormStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, &owner);
  if (window == nullptr) return nullptr;
  if (!self->Build()) {
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

void DispatchForWindow(HWND window, MSG& msg) {
  if (IsWindow(window)) {
    const bool keyboard = IsKeyboardUse(msg);
    const bool dialog = IsDialogMessageW(window, &msg) != FALSE;
    // After keyboard use the focus mark shows. A button that an arrow key or Space
    // selects is clicked while it has the focus, and some systems' buttons then draw
    // their focus rectangle a second time, which wipes it out (it is drawn inverted); the
    // focused control is drawn whole once more.
    if (keyboard && IsWindow(window)) {
      SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      if (const HWND focus = GetFocus(); focus != nullptr && IsChild(window, focus)) {
        InvalidateRect(focus, nullptr, TRUE);
      }
    }
    if (dialog) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop(HWND window) {
  MSG msg;
  BOOL result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (result == -1) return 1;
    DispatchForWindow(window, msg);
  }
  return static_cast<int>(msg.wParam);
}

const QuizForm* FormOf(HWND window) {
  const QuizWindow* self = WindowObject(window);
  return self != nullptr ? &self->form() : nullptr;
}

HWND ControlOf(HWND window, const ui::Control& control) {
  const QuizWindow* self = WindowObject(window);
  return self != nullptr ? self->Live(control) : nullptr;
}

const ui::Control* DefinitionOf(HWND window, HWND control) {
  const QuizWindow* self = WindowObject(window);
  return self != nullptr ? self->DefinitionOf(control) : nullptr;
}

bool AccessibilityReady(HWND window) {
  const QuizWindow* self = WindowObject(window);
  return self != nullptr && self->accessibility_ready();
}

}  // namespace quiz::win32
