#include "ui/win32/Clipboard.h"

namespace quorvane::win32 {

bool OpenClipboardPatiently(HWND owner) {
  constexpr int kAttempts = 20;
  constexpr DWORD kPauseMs = 25;
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(owner)) return true;
    if (attempt == kAttempts) return false;
    const DWORD error = GetLastError();
    Sleep(kPauseMs);
    SetLastError(error);
  }
}

}  // namespace quorvane::win32
