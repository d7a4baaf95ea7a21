#pragma once

#include <windows.h>

namespace quorvane {
class Form1;
}

namespace quorvane::win32 {

// Shows the history list's context menu for a WM_CONTEXTMENU from `list`: at the
// pointer, or at the focused row (else the list's corner) when it was asked for
// from the keyboard. The chosen item goes to the window core.
void ShowHistoryContextMenu(HWND owner, HWND list, LPARAM screen_point, Form1& form);

}  // namespace quorvane::win32
