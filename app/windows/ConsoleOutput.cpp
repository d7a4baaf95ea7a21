#include "app/windows/ConsoleOutput.h"

#include "platform/windows/WideText.h"

namespace quorvane::win32 {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

ConsoleOutput::ConsoleOutput(DWORD which, bool may_attach) {
  HANDLE inherited = GetStdHandle(which);
  if (inherited && inherited != INVALID_HANDLE_VALUE) {
    handle_ = inherited;
    console_ = IsConsole(inherited);
    return;
  }
  if (!may_attach) return;
  // Attached already (for the other stream) is fine too; that one lets it go.
  attached_ = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
  if (!attached_ && GetLastError() != ERROR_ACCESS_DENIED) return;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) {
    if (attached_) FreeConsole();
    attached_ = false;
    return;
  }
  handle_ = console;
  console_ = true;
}

ConsoleOutput::~ConsoleOutput() {
  sync();
  if (!attached_) return;
  CloseHandle(handle_);
  FreeConsole();
}

bool ConsoleOutput::Write(const char* data, std::size_t size) {
  if (!handle_) return false;
  if (!console_) {
    DWORD written = 0;
    return WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
  }
  pending_.append(data, size);
  // Hold back the bytes of a character cut at the end.
  std::size_t whole = pending_.size();
  std::size_t back = 0;
  while (back < 3 && back < whole &&
         (static_cast<unsigned char>(pending_[whole - 1 - back]) & 0xC0) == 0x80)
    ++back;
  if (back < whole) {
    const auto lead = static_cast<unsigned char>(pending_[whole - 1 - back]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > back + 1) whole -= back + 1;
  }
  const std::wstring wide = Widen(std::string_view(pending_).substr(0, whole));
  pending_.erase(0, whole);
  DWORD written = 0;
  return wide.empty() ||
         WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

ConsoleOutput::int_type ConsoleOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  return Write(&ch, 1) ? c : traits_type::eof();
}

std::streamsize ConsoleOutput::xsputn(const char* data, std::streamsize size) {
  return Write(data, static_cast<std::size_t>(size)) ? size : 0;
}

int ConsoleOutput::sync() { return 0; }

}  // namespace quorvane::win32
