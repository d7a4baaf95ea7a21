// The Win32 window's figures, one per run so that each starts in a fresh
// process: win32_benchmarks history-list | plain-list | stall | stall-held-log | stall-blocking.
// Prints key=value lines for bench/print-table.py.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/windows/ListMemory.h"
#include "bench/windows/WindowStall.h"

int main(int argc, char* argv[]) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                        ICC_LISTVIEW_CLASSES |
                                                                        ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const char* figure = argc > 1 ? argv[1] : "";
  if (std::strcmp(figure, "history-list") == 0) {
    quorvane::bench::HistoryListMillionLines(argc > 2 ? std::atoi(argv[2]) : 0);
  } else if (std::strcmp(figure, "plain-list") == 0) {
    quorvane::bench::PlainListView(argc > 2 ? std::atoi(argv[2]) : 0);
  } else if (std::strcmp(figure, "stall") == 0) {
    quorvane::bench::LogNowWhileTheToolTakesThreeSeconds();
  } else if (std::strcmp(figure, "stall-held-log") == 0) {
    quorvane::bench::LogNowWhileAnotherProgramHoldsTheLog();
  } else if (std::strcmp(figure, "hold-log") == 0 && argc > 3) {
    quorvane::bench::HoldFile(argv[2], std::chrono::milliseconds(std::atoi(argv[3])));
  } else if (std::strcmp(figure, "stall-blocking") == 0) {
    quorvane::bench::SameSampleBlockingTheWindow();
  } else {
    std::fprintf(
        stderr,
        "usage: win32_benchmarks history-list|plain-list|stall|stall-held-log|stall-blocking\n");
    return 2;
  }
  std::fflush(stdout);
  CoUninitialize();
  return 0;
}
