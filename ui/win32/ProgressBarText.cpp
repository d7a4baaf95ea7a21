#include "ui/win32/ProgressBarText.h"

#include <commctrl.h>

#include <string>

namespace quorvane::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

void DrawText(HWND bar, HFONT font) {
  const int length = GetWindowTextLengthW(bar);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(bar, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  RECT area;
  GetClientRect(bar, &area);
  HDC dc = GetDC(bar);
  const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  ::DrawTextW(dc, text.c_str(), length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
  ReleaseDC(bar, dc);
}

// The font lives in the subclass's reference data: a progress bar keeps none.
LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR font) {
  switch (message) {
    case WM_SETFONT:
      SetWindowSubclass(bar, ProgressBarProc, kSubclassId, static_cast<DWORD_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(bar, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return static_cast<LRESULT>(font);
    case WM_SETTEXT: {
      const LRESULT result = DefSubclassProc(bar, message, wparam, lparam);
      InvalidateRect(bar, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
    case WM_TIMER:  // the bar's own animation draws over the text
    case PBM_SETPOS: {
      const LRESULT result = DefSubclassProc(bar, message, wparam, lparam);
      DrawText(bar, reinterpret_cast<HFONT>(font));
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(bar, ProgressBarProc, kSubclassId);
      break;
  }
  return DefSubclassProc(bar, message, wparam, lparam);
}

}  // namespace

void ShowTextOnProgressBar(HWND bar) { SetWindowSubclass(bar, ProgressBarProc, kSubclassId, 0); }

}  // namespace quorvane::win32
