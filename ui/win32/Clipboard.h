#pragma once

#include <windows.h>

namespace quorvane::win32 {

// Opens the clipboard for `owner`, trying again for about half a second:
// clipboard managers and remote desktop hold it for a few milliseconds after
// every change. False, with the last error set, when it stayed held.
bool OpenClipboardPatiently(HWND owner);

}  // namespace quorvane::win32
