#pragma once

#include <windows.h>

namespace quorvane::win32 {

// Dots per inch of the monitor the window is on (96 when the system is older than
// per-monitor scaling).
UINT DpiOf(HWND window);

// The outer size of a window whose client area is `client`, at the given DPI.
RECT WindowRectFor(RECT client, DWORD style, DWORD ex_style, UINT dpi);

// A system metric (SM_CXSMICON, ...) at the given DPI.
int SystemMetric(int index, UINT dpi);

}  // namespace quorvane::win32
