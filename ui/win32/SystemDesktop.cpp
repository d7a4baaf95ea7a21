#include "ui/win32/SystemDesktop.h"

#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/AppError.h"
#include "platform/windows/WideText.h"
#include "ui/win32/Clipboard.h"

namespace quorvane::win32 {
namespace {

// `subject`: the file the error is about, named where the system's text has a
// place for it.
[[noreturn]] void ThrowLastError(const std::string& what, const std::string& subject = {}) {
  throw AppError(what + ": " + SystemMessage(GetLastError(), subject));
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

// Opens the clipboard for the length of one copy.
class OpenClipboardFor {
 public:
  explicit OpenClipboardFor(HWND owner) {
    if (!OpenClipboardPatiently(owner))
      ThrowLastError("The clipboard is in use by another program");
  }
  ~OpenClipboardFor() { CloseClipboard(); }
  OpenClipboardFor(const OpenClipboardFor&) = delete;
  OpenClipboardFor& operator=(const OpenClipboardFor&) = delete;
};

// The program that opens `file`, which the system's messages speak of; nothing
// when there is none.
std::wstring BrowserOf(const std::filesystem::path& file) {
  wchar_t program[MAX_PATH] = L"";
  const auto found =
      reinterpret_cast<INT_PTR>(FindExecutableW(file.wstring().c_str(), nullptr, program));
  return found > 32 ? std::wstring(program) : std::wstring();
}

}  // namespace

// Windows reports a program that cannot be started at once; nothing fails later.
void SystemDesktop::OpenTextFile(const std::filesystem::path& file, Failed) {
  const std::wstring notepad = SystemFolder() + L"\\notepad.exe";
  std::wstring command_line = L"notepad \"" + file.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(notepad.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    ThrowLastError("Notepad could not be started", Narrow(notepad));
  // Notepad lets the user bring it to the front; it is not waited for.
  AllowSetForegroundWindow(process.dwProcessId);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

void SystemDesktop::OpenUrlInBackground(const std::string& url, Failed) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Widen(url).c_str(), nullptr, nullptr, SW_SHOWMINNOACTIVE));
  if (result <= 32) throw AppError("The web page " + url + " could not be opened");
}

void SystemDesktop::OpenInBrowser(const std::filesystem::path& file, Failed) {
  // No owner window: the browser comes up on its own, and Quorvane's window is
  // neither activated nor made to wait.
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    const DWORD error = GetLastError();
    throw AppError("No program to show web pages could be started: " +
                   SystemMessage(error, Narrow(BrowserOf(file))));
  }
}

void SystemDesktop::CopyText(std::string text) {
  // Converted once, from the log's code page straight into the clipboard's
  // memory: a large log is never held a second time.
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
  const int wide_length = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (wide_length <= 0) ThrowLastError("The history could not be put on the clipboard");
  HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE, (static_cast<std::size_t>(wide_length) + 1) * sizeof(wchar_t));
  if (!memory) ThrowLastError("The history is too large for the clipboard");
  auto* wide = static_cast<wchar_t*>(GlobalLock(memory));
  if (!wide) {
    GlobalFree(memory);
    ThrowLastError("The history could not be put on the clipboard");
  }
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, wide_length);
  wide[wide_length] = L'\0';
  GlobalUnlock(memory);
  text = std::string();  // the log's bytes go before the clipboard is opened
  try {
    OpenClipboardFor clipboard(owner_);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
      const DWORD error = GetLastError();
      throw AppError("The history could not be put on the clipboard: " + SystemMessage(error));
    }
  } catch (...) {
    GlobalFree(memory);
    throw;
  }
}

}  // namespace quorvane::win32
