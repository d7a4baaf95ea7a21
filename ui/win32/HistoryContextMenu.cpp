#include "ui/win32/HistoryContextMenu.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/windows/WideText.h"
#include "window/Form1.h"

namespace quorvane::win32 {
namespace {

// Where a menu asked for by Shift+F10 or the Menu key opens: below the focused
// row when it is in sight, else at the list's top-left corner.
POINT KeyboardMenuPoint(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  POINT at{client.left, client.top};
  const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  RECT row{};
  if (focused >= 0 && ListView_GetItemRect(list, focused, &row, LVIR_LABEL) &&
      row.bottom > client.top && row.bottom < client.bottom)
    at = {row.left, row.bottom};
  ClientToScreen(list, &at);
  return at;
}

}  // namespace

void ShowHistoryContextMenu(HWND owner, HWND list, LPARAM screen_point, Form1& form) {
  const bool from_keyboard = screen_point == -1;
  const POINT at = from_keyboard ? KeyboardMenuPoint(list)
                                 : POINT{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  const auto items = form.HistoryMenuItems();
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (std::size_t i = 0; i < items.size(); ++i)
    AppendMenuW(
        menu, MF_STRING | (items[i].enabled ? 0 : MF_GRAYED) | (items[i].checked ? MF_CHECKED : 0),
        i + 1, Widen(items[i].text).c_str());
  // The menu's own modal loop goes on dispatching the timers, so logging does not
  // wait for the user's choice.
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (chosen > 0 && static_cast<std::size_t>(chosen) <= items.size())
    form.HistoryMenuChosen(items[chosen - 1].command);
}

}  // namespace quorvane::win32
