#include "window/win32/recipes.h"

#include "window/win32/frame.h"
#include "window/win32/result_box.h"
#include "window/win32/win32_common.h"

#ifndef BM_SETDONTCLICK
#define BM_SETDONTCLICK 0x00F8
#endif

namespace quiz::ui::win32 {
namespace {

DWORD LabelAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Left:
      return SS_LEFT;
    case Alignment::Right:
      return SS_RIGHT;
    case Alignment::Center:
      return SS_CENTER;
  }
  return SS_LEFT;
}

// An unchecked automatic option button that gets the focus (Tab into its group) would
// check itself and report a click; only the user's choice may select it.
void NoClickOnFocus(HWND button, const Control&) { SendMessageW(button, BM_SETDONTCLICK, TRUE, 0); }

void FillTextBox(HWND box, const Control& def) {
  SubclassResultBox(box);
  SetWindowTextW(box, Wide(def.caption).c_str());
}

void FillList(HWND list, const Control& def) {
  for (const std::u16string_view item : def.items) {
    const std::wstring text = Wide(item);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

// Window styles are declared as long; every one fits a DWORD.
constexpr DWORD Styles(long styles) { return static_cast<DWORD>(styles); }

}  // namespace

// Command buttons, the text box and the list each form a group of their own, so that arrow
// keys on them never move into a neighbouring group of option buttons.
Recipe RecipeFor(const Control& def) {
  switch (def.kind) {
    case Kind::Label:
      return {L"STATIC", SS_NOPREFIX | LabelAlignment(def.alignment), 0, true, nullptr};
    case Kind::Frame:
      return {kFrameClassName, 0, WS_EX_CONTROLPARENT, true, nullptr};
    case Kind::OptionButton:
      // Right alignment: the indicator on the right, the caption beside it on its left.
      // Siblings clip each other, so that a button never paints over the one above it.
      return {L"BUTTON",
              Styles(BS_AUTORADIOBUTTON | WS_CLIPSIBLINGS |
                     (def.alignment == Alignment::Right ? BS_LEFTTEXT | BS_RIGHT : 0)),
              0, true, &NoClickOnFocus};
    case Kind::CommandButton:
      return {L"BUTTON",
              Styles(WS_TABSTOP | WS_GROUP | (def.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON)), 0,
              true, nullptr};
    case Kind::TextBox:
      return {L"EDIT",
              Styles(WS_TABSTOP | WS_GROUP | (def.multi_line ? ES_MULTILINE : ES_AUTOHSCROLL) |
                     (def.vertical_scroll ? WS_VSCROLL | ES_AUTOVSCROLL : 0) |
                     (def.read_only ? ES_READONLY : 0)),
              WS_EX_CLIENTEDGE, false, &FillTextBox};
    case Kind::ListBox:
      return {L"LISTBOX",
              Styles(WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT |
                     (def.sorted ? LBS_SORT : 0)),
              WS_EX_CLIENTEDGE, true, &FillList};
  }
  return {L"STATIC", 0, 0, true, nullptr};
}

}  // namespace quiz::ui::win32
