#include "ui/win32/ProgressBarText.h"

#include <commctrl.h>

#include <string>

namespace quorvane::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// Sets the text's colour (wParam); the progress bar itself knows no message in this range.
constexpr UINT kSetTextColour = WM_APP + 1;

// What the bar keeps for its text: a progress bar keeps no font of its own.
struct TextLook {
  HFONT font = nullptr;
  COLORREF colour = GetSysColor(COLOR_BTNTEXT);
};

void DrawText(HWND bar, const TextLook& look) {
  const int length = GetWindowTextLengthW(bar);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(bar, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  RECT area;
  GetClientRect(bar, &area);
  HDC dc = GetDC(bar);
  const HGDIOBJ previous =
      SelectObject(dc, look.font ? look.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.colour);
  ::DrawTextW(dc, text.c_str(), length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
  ReleaseDC(bar, dc);
}

// The look lives in the subclass's reference data.
LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) {
  auto& look = *reinterpret_cast<TextLook*>(data);
  switch (message) {
    case WM_SETFONT:
      look.font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(bar, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(look.font);
    case kSetTextColour:
      look.colour = static_cast<COLORREF>(wparam);
      InvalidateRect(bar, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefSubclassProc(bar, message, wparam, lparam);
      InvalidateRect(bar, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
    case WM_TIMER:  // the bar's own animation draws over the text
    case PBM_SETPOS: {
      const LRESULT result = DefSubclassProc(bar, message, wparam, lparam);
      DrawText(bar, look);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(bar, ProgressBarProc, kSubclassId);
      delete &look;
      break;
  }
  return DefSubclassProc(bar, message, wparam, lparam);
}

}  // namespace

void ShowTextOnProgressBar(HWND bar) {
  SetWindowSubclass(bar, ProgressBarProc, kSubclassId, reinterpret_cast<DWORD_PTR>(new TextLook));
}

void SetProgressBarTextColour(HWND bar, COLORREF colour) {
  SendMessageW(bar, kSetTextColour, colour, 0);
}

}  // namespace quorvane::win32
