#include "ui/win32/PushButtonDraw.h"

#include <string>

namespace quorvane::win32 {

void DrawPushButton(const NMCUSTOMDRAW& draw, HBRUSH face, COLORREF caption) {
  HWND button = draw.hdr.hwndFrom;
  HDC dc = draw.hdc;
  RECT area = draw.rc;
  const bool pressed = draw.uItemState & CDIS_SELECTED;
  const auto ui_state = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));

  FillRect(dc, &area, face);
  DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

  const int length = GetWindowTextLengthW(button);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(button, text.data(), length + 1);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, draw.uItemState & CDIS_DISABLED ? GetSysColor(COLOR_GRAYTEXT) : caption);
  RECT label = area;
  if (pressed) OffsetRect(&label, 1, 1);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (ui_state & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, text.c_str(), length, &label, format);
  SelectObject(dc, previous);

  if (draw.uItemState & CDIS_FOCUS && !(ui_state & UISF_HIDEFOCUS)) {
    InflateRect(&area, -1, -1);
    DrawFocusRect(dc, &area);
  }
}

}  // namespace quorvane::win32
