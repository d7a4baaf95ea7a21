// Starts Quorvane.exe over and over and ends it with TerminateProcess at a random
// moment, while it samples every second and its "Log Current Status Now (Test)"
// button is pressed as fast as it answers, so that many kills fall in the middle
// of a reading or of writing a line.
//   kill_while_sampling <Quorvane.exe> <cycles>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <random>
#include <string>

namespace {

constexpr const wchar_t* kMainWindowClass = L"Brindlewick.Quorvane.Form1";
constexpr const wchar_t* kLogNow = L"Log Current Status Now (Test)";

HWND MainWindowOf(DWORD process) {
  for (int attempt = 0; attempt < 400; ++attempt) {  // up to 10 s
    for (HWND window = FindWindowW(kMainWindowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process && IsWindowVisible(window)) return window;
    }
    Sleep(25);
  }
  return nullptr;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  struct Search {
    const wchar_t* text;
    HWND found;
  } search{text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        wchar_t caption[64] = L"";
        GetWindowTextW(child, caption, 64);
        if (wcscmp(caption, search->text) != 0) return TRUE;
        search->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const std::wstring program = argv[1];
  const int cycles = _wtoi(argv[2]);
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<DWORD> moment_ms(0, 600);
  int killed = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    std::wstring command_line = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      std::fwprintf(stderr, L"Quorvane.exe could not be started: %lu\n", GetLastError());
      return 1;
    }
    if (HWND window = MainWindowOf(process.dwProcessId)) {
      HWND log_now = ChildWithText(window, kLogNow);
      const DWORD until = GetTickCount() + moment_ms(random);
      while (GetTickCount() < until) {
        if (log_now) PostMessageW(log_now, BM_CLICK, 0, 0);
        Sleep(10);
      }
    }
    if (TerminateProcess(process.hProcess, 1)) ++killed;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::wprintf(L"%d\n", killed);
  return killed == cycles ? 0 : 1;
}
