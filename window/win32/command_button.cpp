#include "window/win32/command_button.h"

#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {

void DrawCommandButton(const DRAWITEMSTRUCT& item, const Control& button, HBRUSH background,
                       COLORREF text_color, HFONT font) {
  const HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  RECT rect = item.rcItem;
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  FillRect(dc, &rect, background);
  const std::wstring caption = Wide(button.caption);
  const HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : text_color);
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

}  // namespace quiz::ui::win32
