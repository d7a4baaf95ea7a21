// Memory per history line in the Win32 list: private bytes before and after,
// per line. Both lists fill while their window is hidden and are shown at the
// end, with the messages dispatched every thousand lines. Shown, Wine redraws a
// list's scroll bar at every new line (about 13 ms a line here), which would
// take hours for a million lines and changes nothing of the memory.
#include "bench/windows/ListMemory.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "bench/windows/BenchWindow.h"
#include "platform/windows/WideText.h"

namespace quorvane::bench {
namespace {

using std::chrono::milliseconds;

constexpr int kHistoryLinesDefault = 1000000;
// A plain list view costs time at every insertion; a tenth of the lines gives the
// same figure per line in a fraction of the time.
constexpr int kPlainLinesDefault = 100000;

HistoryEntry Entry(int i) {
  LocalDateTime when{2026, 12, 7, (i / 3600) % 24, (i / 60) % 60, i % 60};
  const std::string value = std::to_string(40 + i % 60) + "%";
  return {when, value, "12/07/26 14:03:11 WiFi Signal Strength is " + value};
}

void Print(const char* name, std::size_t before, std::size_t after, int lines, double seconds) {
  std::printf("%s.lines=%d\n", name, lines);
  std::printf("%s.bytes_per_line=%.2f\n", name, (double(after) - double(before)) / lines);
  std::printf("%s.fill_seconds=%.1f\n", name, seconds);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void HistoryListMillionLines(int lines) {
  const int kHistoryLines = lines ? lines : kHistoryLinesDefault;
  BenchWindow bench(L"netsh.exe");
  ShowWindow(bench.window.handle(), SW_HIDE);
  const std::size_t before = PrivateBytes();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kHistoryLines; ++i) {
    bench.history.Add(Entry(i));
    if (i % 1000 == 999) DispatchWaitingMessages();
  }
  ShowWindow(bench.window.handle(), SW_SHOW);
  PumpMessages(milliseconds(300));
  const double seconds = SecondsSince(start);
  Print("history_list", before, PrivateBytes(), kHistoryLines, seconds);
}

void PlainListView(int lines) {
  const int kPlainLines = lines ? lines : kPlainLinesDefault;
  // The same window beside it, so that both figures are taken in a process of the
  // same make-up.
  BenchWindow bench(L"netsh.exe");
  HWND frame = CreateWindowExW(0, WC_STATICW, L"Plain list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               560, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 8, 8, 520, 169,
                              frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 500;
  column.pszText = const_cast<wchar_t*>(L" WiFi Signal Strength Status");
  ListView_InsertColumn(list, 0, &column);
  PumpMessages(milliseconds(300));

  ShowWindow(frame, SW_HIDE);
  const std::size_t before = PrivateBytes();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPlainLines; ++i) {
    std::wstring text = Widen(Entry(i).line);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = text.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (i % 1000 == 999) DispatchWaitingMessages();
  }
  ShowWindow(frame, SW_SHOW);
  PumpMessages(milliseconds(300));
  const double seconds = SecondsSince(start);
  Print("plain_list", before, PrivateBytes(), kPlainLines, seconds);
  DestroyWindow(frame);
}

}  // namespace quorvane::bench
