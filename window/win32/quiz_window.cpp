#include "window/win32/quiz_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "window/binding.h"

#ifndef BM_SETDONTCLICK
#define BM_SETDONTCLICK 0x00F8
#endif

namespace quiz::win32 {
namespace {

// Control ids are the definition position plus this; 1 and 2 (IDOK, IDCANCEL) stay free,
// since the dialog manager turns Enter and Esc into commands with those ids.
constexpr int kFirstControlId = 100;

// Window styles of the form: fixed single border, caption and system menu only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Windows' wide characters are UTF-16 code units, as the definition's text is.
std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
std::u16string Utf16(std::wstring_view text) { return {text.begin(), text.end()}; }

COLORREF ToColorRef(std::uint32_t color) {
  return RGB(ui::Red(color), ui::Green(color), ui::Blue(color));
}

// Functions of newer systems, looked up at run time so that older ones still start.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  // Through the generic function type, which GCC allows to stand for any other.
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(user32, name)));
}

UINT DpiOf(HWND window) {
  if (auto get_dpi = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow")) {
    const UINT dpi = get_dpi(window);
    if (dpi != 0) return dpi;
  }
  const HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

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

HFONT CreateFormFont(UINT dpi) {
  const ui::Font& f = ui::Form().font;
  const std::wstring face = Wide(f.face);
  return CreateFontW(-MulDiv(f.points, static_cast<int>(dpi), 72), 0, 0, 0,
                     f.bold ? FW_BOLD : f.weight, f.italic, f.underline, f.strikeout,
                     static_cast<DWORD>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

int PositionOfId(int id) {
  const int position = id - kFirstControlId;
  const int count = static_cast<int>(ui::Controls().size());
  return position >= 0 && position < count ? position : -1;
}

// The result box: a read-only edit control that keeps the dialog manager from selecting
// its whole text on focus and from taking Tab, Enter and Esc for itself (a multi-line edit
// would otherwise close the window on Esc).
LRESULT CALLBACK ResultBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_USERDATA));
  LRESULT result = CallWindowProcW(base, box, message, wparam, lparam);
  if (message == WM_GETDLGCODE) {
    result &= ~static_cast<LRESULT>(DLGC_HASSETSEL | DLGC_WANTALLKEYS | DLGC_WANTTAB);
  }
  return result;
}

// A frame: a container that draws its group box and caption and passes its buttons'
// notifications on to the form. It asks the form for its colours like any control.
HBRUSH FrameBrush(HWND frame, HDC dc) {
  return reinterpret_cast<HBRUSH>(SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC,
                                               reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(frame)));
}

void PaintFrame(HWND frame) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(frame, &paint);
  const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(frame, 0));
  const HGDIOBJ old_font = SelectObject(dc, font);
  FrameBrush(frame, dc);  // sets the caption's colours
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT box;
  GetClientRect(frame, &box);
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  wchar_t caption[256];
  const int length = GetWindowTextW(frame, caption, 256);
  if (length > 0) {
    RECT text{metrics.tmAveCharWidth, 0, 0, 0};
    DrawTextW(dc, caption, length, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    SetBkMode(dc, OPAQUE);
    DrawTextW(dc, caption, length, &text, DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old_font);
  EndPaint(frame, &paint);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return SendMessageW(GetParent(frame), message, wparam, lparam);
    case WM_SETFONT:
      SetWindowLongPtrW(frame, 0, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam) != 0) InvalidateRect(frame, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(frame, 0);
    case WM_ERASEBKGND: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      RECT rect;
      GetClientRect(frame, &rect);
      FillRect(dc, &rect, FrameBrush(frame, dc));
      return 1;
    }
    case WM_PAINT:
      PaintFrame(frame);
      return 0;
    default:
      return DefWindowProcW(frame, message, wparam, lparam);
  }
}

// The live window: the controls built from the definition, the GDI objects they are drawn
// with, and the controller, which acts on the controls through FormControls.
class QuizWindow final : public FormControls {
 public:
  explicit QuizWindow(bool ends_program) : ends_program_(ends_program) {}
  QuizWindow(const QuizWindow&) = delete;
  QuizWindow& operator=(const QuizWindow&) = delete;
  ~QuizWindow() override {
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    if (font_ != nullptr) DeleteObject(font_);
  }

  void Attach(HWND window) { window_ = window; }
  bool Build();
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  const QuizForm& form() const { return form_; }
  HWND ControlAt(int position) const {
    return position >= 0 && position < static_cast<int>(controls_.size()) ? controls_[position]
                                                                          : nullptr;
  }

  void DeselectOption1(std::int16_t index) override { Deselect(u"Option1", index); }
  void DeselectOption2(std::int16_t index) override { Deselect(u"Option2", index); }
  std::u16string Text1() const override;
  void SetText1(std::u16string_view text) override;
  std::optional<std::u16string> List1Item(std::int16_t index) const override;

 private:
  HWND Create(int position, HWND parent, DWORD extra_style);
  void Layout();
  void SizeForm();
  void UncoverCaptions(bool replace_regions);
  HBRUSH BrushFor(std::uint32_t color) const;
  LRESULT ColorsFor(HDC dc, HWND control) const;
  void OnCommand(int id, int code, HWND control);
  void DrawCommandButton(const DRAWITEMSTRUCT& item) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void Deselect(std::u16string_view name, std::int16_t index);
  HWND Named(std::u16string_view name, std::int16_t index) const {
    const ui::Control* control = ui::Find(name, index);
    return control != nullptr ? ControlAt(ui::PositionOf(*control)) : nullptr;
  }

  HWND window_ = nullptr;
  bool ends_program_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT font_ = nullptr;
  std::vector<std::pair<std::uint32_t, HBRUSH>> brushes_;  // one per colour, made once
  std::vector<HWND> controls_;                             // by position in the definition
  QuizForm form_{*this};
};

bool QuizWindow::Build() {
  const std::span<const ui::Control> table = ui::Controls();
  dpi_ = DpiOf(window_);
  font_ = CreateFormFont(dpi_);
  if (font_ == nullptr) return false;
  std::vector<std::uint32_t> colors{ui::Form().back_color};
  for (const ui::Control& c : table) colors.push_back(c.back_color);
  for (const std::uint32_t color : colors) {
    if (color == ui::kSystemColor || BrushFor(color) != nullptr) continue;
    const HBRUSH brush = CreateSolidBrush(ToColorRef(color));
    if (brush == nullptr) return false;
    brushes_.emplace_back(color, brush);
  }

  // The dialog manager moves the focus in the order of creation among siblings, so each
  // parent's controls are created in the order of their tab indexes.
  auto children_of = [&](int parent) {
    std::vector<int> positions;
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].parent == parent) positions.push_back(static_cast<int>(i));
    }
    std::stable_sort(positions.begin(), positions.end(),
                     [&](int a, int b) { return table[a].tab_index < table[b].tab_index; });
    return positions;
  };
  controls_.assign(table.size(), nullptr);
  for (const int position : children_of(ui::kFormParent)) {
    const HWND control = Create(position, window_, 0);
    if (control == nullptr) return false;
    if (table[position].kind != ui::Kind::Frame) continue;
    bool first = true;
    for (const int child : children_of(position)) {
      // The first button of a frame opens its group and holds its tab stop.
      const bool opens_group = first && table[child].kind == ui::Kind::OptionButton;
      if (Create(child, control, opens_group ? WS_GROUP | WS_TABSTOP : 0) == nullptr) {
        return false;
      }
      if (opens_group) first = false;
    }
  }
  UncoverCaptions(false);
  SizeForm();
  ui::RaiseLoad(form_);
  return true;
}

HWND QuizWindow::Create(int position, HWND parent, DWORD extra_style) {
  const ui::Control& def = ui::Controls()[static_cast<std::size_t>(position)];
  const wchar_t* window_class = L"STATIC";
  DWORD style = WS_CHILD | (def.visible ? WS_VISIBLE : 0) | extra_style;
  DWORD ex_style = 0;
  switch (def.kind) {
    case ui::Kind::Label:
      style |= SS_NOPREFIX | (def.alignment == ui::Alignment::Center  ? SS_CENTER
                              : def.alignment == ui::Alignment::Right ? SS_RIGHT
                                                                      : SS_LEFT);
      break;
    case ui::Kind::Frame:
      window_class = kFrameClassName;
      ex_style |= WS_EX_CONTROLPARENT;
      break;
    case ui::Kind::OptionButton:
      window_class = L"BUTTON";
      style |= BS_AUTORADIOBUTTON;
      // Right alignment: the indicator on the right, the caption beside it on its left.
      if (def.alignment == ui::Alignment::Right) style |= BS_LEFTTEXT | BS_RIGHT;
      break;
    case ui::Kind::CommandButton:
      window_class = L"BUTTON";
      style |= WS_TABSTOP | (def.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON);
      break;
    case ui::Kind::TextBox:
      window_class = L"EDIT";
      ex_style |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | (def.multi_line ? ES_MULTILINE : ES_AUTOHSCROLL) |
               (def.vertical_scroll ? WS_VSCROLL | ES_AUTOVSCROLL : 0) |
               (def.read_only ? ES_READONLY : 0);
      break;
    case ui::Kind::ListBox:
      window_class = L"LISTBOX";
      ex_style |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | (def.sorted ? LBS_SORT : 0);
      break;
  }
  // A text box gets its text after its font, so that the text is laid out once.
  const std::wstring caption = Wide(def.caption);
  const bool text_later = def.kind == ui::Kind::TextBox;
  const ui::PixelRect r = ui::ToPixels(def, static_cast<int>(dpi_));
  const HWND control = CreateWindowExW(
      ex_style, window_class, text_later ? L"" : caption.c_str(), style, r.x, r.y, r.width,
      r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + position)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
  if (control == nullptr) return nullptr;
  controls_[static_cast<std::size_t>(position)] = control;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  switch (def.kind) {
    case ui::Kind::OptionButton:
      // An unchecked automatic option button that gets the focus (Tab into its group)
      // would check itself and report a click; only the user's choice may select it.
      SendMessageW(control, BM_SETDONTCLICK, TRUE, 0);
      break;
    case ui::Kind::TextBox:
      SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ResultBoxProc));
      SetWindowTextW(control, caption.c_str());
      break;
    case ui::Kind::ListBox:
      for (const std::u16string_view item : def.items) {
        const std::wstring text = Wide(item);
        SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      break;
    default:
      break;
  }
  return control;
}

// Places every control and sizes the form for the current DPI (after a DPI change).
void QuizWindow::Layout() {
  const std::span<const ui::Control> table = ui::Controls();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ui::PixelRect r = ui::ToPixels(table[i], static_cast<int>(dpi_));
    SetWindowPos(controls_[i], nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UncoverCaptions(true);
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

// Option buttons are taller than the grid they stand on, so each overlaps the top of the
// one below it. The part of a button that the button above it covers is cut from its
// window region, so that repainting a button never paints over the descenders of the
// caption above it. A new button has no region, so only replacing drops one where nothing is
// cut any more.
void QuizWindow::UncoverCaptions(bool replace_regions) {
  const std::span<const ui::Control> table = ui::Controls();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind != ui::Kind::OptionButton) continue;
    const ui::PixelRect me = ui::ToPixels(table[i], static_cast<int>(dpi_));
    HRGN region = CreateRectRgn(0, 0, me.width, me.height);
    bool cut = false;
    for (std::size_t j = 0; j < table.size(); ++j) {
      if (table[j].kind != ui::Kind::OptionButton || table[j].parent != table[i].parent ||
          table[j].top >= table[i].top) {
        continue;
      }
      const ui::PixelRect above = ui::ToPixels(table[j], static_cast<int>(dpi_));
      const int overlap = above.y + above.height - me.y;
      if (overlap <= 0 || above.x >= me.x + me.width || me.x >= above.x + above.width) continue;
      const HRGN covered = CreateRectRgn(above.x - me.x, 0, above.x - me.x + above.width, overlap);
      CombineRgn(region, region, covered, RGN_DIFF);
      DeleteObject(covered);
      cut = true;
    }
    if (!cut) {
      DeleteObject(region);
      if (!replace_regions) continue;
      region = nullptr;
    }
    // The window owns the region from here on and frees it.
    SetWindowRgn(controls_[i], region, FALSE);
  }
}

void QuizWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
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

HBRUSH QuizWindow::BrushFor(std::uint32_t color) const {
  for (const auto& [c, brush] : brushes_) {
    if (c == color) return brush;
  }
  return nullptr;
}

// Colours of a control, from its background colour in the definition; the system's
// default is the colour of an ordinary text box, also for the read-only result box.
LRESULT QuizWindow::ColorsFor(HDC dc, HWND control) const {
  const int position = PositionOfId(GetDlgCtrlID(control));
  const std::uint32_t color = position >= 0 && ControlAt(position) == control
                                  ? ui::Controls()[static_cast<std::size_t>(position)].back_color
                                  : ui::Form().back_color;
  if (color == ui::kSystemColor) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, ToColorRef(color));
  return reinterpret_cast<LRESULT>(BrushFor(color));
}

void QuizWindow::OnCommand(int id, int code, HWND control) {
  const int position = PositionOfId(id);
  if (position < 0 || ControlAt(position) != control || code != BN_CLICKED) return;
  const ui::Control& def = ui::Controls()[static_cast<std::size_t>(position)];
  // An option button reports the click that selected it; a click that leaves it
  // unselected is no choice.
  if (def.kind == ui::Kind::OptionButton &&
      SendMessageW(control, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    return;
  }
  ui::RaiseClick(form_, def);
}

// A graphical command button: its background colour, raised or pressed, with the caption
// centred and the focus rectangle when it has the focus.
void QuizWindow::DrawCommandButton(const DRAWITEMSTRUCT& item) const {
  const int position = PositionOfId(static_cast<int>(item.CtlID));
  if (position < 0) return;
  const ui::Control& def = ui::Controls()[static_cast<std::size_t>(position)];
  const HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  RECT rect = item.rcItem;
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  const HBRUSH brush = BrushFor(def.back_color);
  FillRect(dc, &rect, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring caption = Wide(def.caption);
  const HGDIOBJ old_font = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    InflateRect(&rect, -2, -2);
    DrawFocusRect(dc, &rect);
  }
}

void QuizWindow::Deselect(std::u16string_view name, std::int16_t index) {
  const HWND button = Named(name, index);
  if (button == nullptr) return;
  // A button that is neither checked nor a tab stop is deselected already (the common case
  // when the quiz starts or is cleared); changing its style for nothing costs a round trip.
  if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
      (GetWindowLongPtrW(button, GWL_STYLE) & WS_TABSTOP) == 0) {
    return;
  }
  // Unchecking sends no notification, so no click is raised.
  SendMessageW(button, BM_SETCHECK, BST_UNCHECKED, 0);
  // An unchecked option button loses its tab stop; with none left checked the group could
  // no longer be reached with Tab, so its first button takes the tab stop again.
  const HWND frame = GetParent(button);
  for (HWND b = GetWindow(frame, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
    if (SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
  }
  const HWND first = GetWindow(frame, GW_CHILD);
  const LONG_PTR style = GetWindowLongPtrW(first, GWL_STYLE);
  if ((style & WS_TABSTOP) == 0) SetWindowLongPtrW(first, GWL_STYLE, style | WS_TABSTOP);
}

std::u16string QuizWindow::Text1() const {
  const HWND box = Named(u"Text1", 0);
  if (box == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return Utf16(text);
}

void QuizWindow::SetText1(std::u16string_view text) {
  if (const HWND box = Named(u"Text1", 0)) SetWindowTextW(box, Wide(text).c_str());
}

std::optional<std::u16string> QuizWindow::List1Item(std::int16_t index) const {
  const HWND list = Named(u"List1", ui::kNoIndex);
  if (list == nullptr || index < 0 || index >= SendMessageW(list, LB_GETCOUNT, 0, 0)) {
    return std::nullopt;
  }
  const auto item = static_cast<WPARAM>(index);
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item, 0);
  if (length < 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return Utf16(text);
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
      DrawCommandButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(window_, &rect);
      FillRect(reinterpret_cast<HDC>(wparam), &rect, BrushFor(ui::Form().back_color));
      return 1;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
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

bool RegisterClasses(HINSTANCE instance) {
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

  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = &FrameProc;
  frame.cbWndExtra = sizeof(HFONT);
  frame.hInstance = instance;
  frame.hCursor = form.hCursor;
  frame.lpszClassName = kFrameClassName;

  for (const WNDCLASSEXW* c : {&form, &frame}) {
    if (RegisterClassExW(c) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  }
  return true;
}

}  // namespace

HWND CreateQuizWindow(HINSTANCE instance, bool ends_program) {
  if (!RegisterClasses(instance)) return nullptr;
  auto owner = std::make_unique<QuizWindow>(ends_program);
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
  if (IsWindow(window) && IsDialogMessageW(window, &msg)) return;
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
  return self != nullptr ? self->ControlAt(ui::PositionOf(control)) : nullptr;
}

}  // namespace quiz::win32
