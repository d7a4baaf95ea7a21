#include "ui/win32/Dpi.h"

namespace quorvane::win32 {
namespace {

// The per-monitor calls exist from Windows 10 on; looked up at run time so the
// program still starts on older systems, where the system DPI applies.
template <typename Function>
Function UserCall(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT DpiOf(HWND window) {
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const auto get_dpi = UserCall<GetDpiForWindowCall>("GetDpiForWindow");
  const UINT dpi = get_dpi && window ? get_dpi(window) : 0;
  return dpi ? dpi : SystemDpi();
}

RECT WindowRectFor(RECT client, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = UserCall<AdjustCall>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&client, style, FALSE, ex_style, dpi))
    AdjustWindowRectEx(&client, style, FALSE, ex_style);
  return client;
}

int SystemMetric(int index, UINT dpi) {
  using MetricCall = int(WINAPI*)(int, UINT);
  static const auto metric = UserCall<MetricCall>("GetSystemMetricsForDpi");
  return metric ? metric(index, dpi) : GetSystemMetrics(index);
}

}  // namespace quorvane::win32
