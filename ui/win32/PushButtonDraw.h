#pragma once

#include <windows.h>

#include <commctrl.h>

namespace quorvane::win32 {

// Draws a push button in its whole as the classic desktop draws one, but with the
// given face and caption colour: visual styles take neither colour from the
// program, so a skinned button is drawn here at its custom-draw prepaint stage.
void DrawPushButton(const NMCUSTOMDRAW& draw, HBRUSH face, COLORREF caption);

}  // namespace quorvane::win32
