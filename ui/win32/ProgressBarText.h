#pragma once

#include <windows.h>

namespace quorvane::win32 {

// Has the progress bar draw its window text centred over the bar, in its font.
void ShowTextOnProgressBar(HWND bar);

}  // namespace quorvane::win32
