// Ends Quorvane.exe as Windows ends a program when the user logs off: it asks with
// WM_QUERYENDSESSION, announces WM_ENDSESSION, and ends the process as soon as
// that message has been handled. Meanwhile the journal's month file is held (opened
// without sharing, as a backup or a spreadsheet holds it), so records wait in
// memory; it is let go 300 ms into the end of the session, within the last try.
//   end_session <month file> <milliseconds held before the end>
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr const wchar_t* kMainWindowClass = L"Brindlewick.Quorvane.Form1";

DWORD WINAPI LetGoSoon(void* file) {
  Sleep(300);
  CloseHandle(static_cast<HANDLE>(file));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HWND window = nullptr;
  for (int attempt = 0; attempt < 1200 && !window; ++attempt) {  // up to 30 s
    window = FindWindowW(kMainWindowClass, nullptr);
    if (!window) Sleep(25);
  }
  if (!window) {
    std::fputs("no main window\n", stderr);
    return 3;
  }
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id);
  // Quorvane itself has the file open for a moment with each record.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (!process || file == INVALID_HANDLE_VALUE) {
    std::fputs("cannot hold the month file or reach the program\n", stderr);
    return 4;
  }
  Sleep(static_cast<DWORD>(_wtoi(argv[2])));
  HANDLE letting_go = CreateThread(nullptr, 0, LetGoSoon, file, 0, nullptr);
  DWORD_PTR answer = 0;
  // Windows gives each program 5 seconds before it offers to end it regardless.
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
  const bool handled = SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                           SMTO_NORMAL, 5000, &answer) != 0;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  WaitForSingleObject(letting_go, INFINITE);
  std::printf(handled ? "ended\n" : "WM_ENDSESSION was not answered within 5 s\n");
  return handled ? 0 : 5;
}
