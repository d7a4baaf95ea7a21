// Reads Quorvane's history list from another process, as a screen reader's
// list-view support does: the list found by the name it carries, its item count,
// and each item's text through memory lent in Quorvane's process. Prints
// "<count>" and then one item a line, UTF-8.
//   ListViewReader               the history list
//   ListViewReader key-select    what the shell sends when the tray icon is chosen
//                                with the keyboard (Enter or Space)
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kTrayCallback = WM_USER + 101;  // Quorvane's tray icon callback

// Found by its window class, as it is also found while hidden in the tray.
HWND MainWindow() { return FindWindowW(L"Brindlewick.Quorvane.Form1", L"Quorvane"); }

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 4, '\0');
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<std::size_t>(length));
  return out;
}

int ReadHistory(HWND main) {
  HWND list = FindWindowExW(main, nullptr, WC_LISTVIEWW, L"WiFi Signal Strength Status");
  if (!list) {
    std::fprintf(stderr, "no list view named \"WiFi Signal Strength Status\"\n");
    return 1;
  }
  DWORD process_id = 0;
  GetWindowThreadProcessId(list, &process_id);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
  if (!process) return 1;
  constexpr int kChars = 260;
  // An LVITEMW and its text buffer, lent in the list's own process.
  const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::printf("%d\n", count);
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    item.cchTextMax = kChars;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    const auto length = static_cast<std::size_t>(SendMessageW(
        list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)));
    std::wstring text(kChars, L'\0');
    ReadProcessMemory(process, remote + sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t),
                      nullptr);
    text.resize(length < kChars ? length : kChars - 1);
    std::printf("%s\n", Utf8(text).c_str());
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND main = MainWindow();
  if (!main) {
    std::fprintf(stderr, "no Quorvane window\n");
    return 1;
  }
  if (argc > 1 && std::wstring(argv[1]) == L"key-select") {
    // A shell of version 4: the event in the low word, the icon's number in the high.
    PostMessageW(main, kTrayCallback, 0, MAKELPARAM(NIN_KEYSELECT, 0));
    return 0;
  }
  return ReadHistory(main);
}
