#pragma once

#include <windows.h>

namespace quorvane::win32 {

// Has the progress bar draw its window text centred over the bar, in its font.
void ShowTextOnProgressBar(HWND bar);
// The colour of that text; the desktop's button text until a skin gives one.
void SetProgressBarTextColour(HWND bar, COLORREF colour);

}  // namespace quorvane::win32
