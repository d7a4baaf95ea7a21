#include "platform/Files.h"

#include <windows.h>

#include <string>

#include "platform/AppError.h"
#include "platform/windows/WideText.h"

namespace quorvane {

const std::string_view kLineEnd = "\r\n";

namespace {

const char* DescriptionOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return error_text::kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return error_text::kPermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return error_text::kDiskFull;
    default:
      return error_text::kPathFileAccess;
  }
}

[[noreturn]] void ThrowFor(DWORD error) { throw AppError(DescriptionOf(error)); }

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Another program (a spreadsheet, a backup, a virus scanner) may hold the log for
// a moment: opening is tried again for about a second before that is reported.
HANDLE OpenForAppending(const std::filesystem::path& file, DWORD access) {
  constexpr int kAttempts = 20;
  constexpr DWORD kPauseMs = 50;
  for (int attempt = 1;; ++attempt) {
    // Other programs may read the log while it grows.
    HANDLE handle = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (handle != INVALID_HANDLE_VALUE || !held || attempt == kAttempts) {
      SetLastError(error);
      return handle;
    }
    Sleep(kPauseMs);
  }
}

// Cuts the file back to `size`. The appending handle cannot: a handle that may
// only append may not set the end of the file, so a second one that may write
// does it.
void TruncateTo(const std::filesystem::path& file, LARGE_INTEGER size) {
  Handle handle(CreateFileW(file.c_str(), FILE_WRITE_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) return;
  FILE_END_OF_FILE_INFO end{size};
  SetFileInformationByHandle(handle.get(), FileEndOfFileInfo, &end, sizeof end);
}

// What ends the file's last line when it lacks its end, as a crash, a full disk
// or another program may leave it: nothing for an empty file or a whole last
// line, LF after a lone CR, else CR LF. A byte that cannot be read counts as a
// line end.
std::string_view EndOfACutLine(HANDLE file, LARGE_INTEGER size) {
  if (size.QuadPart == 0) return {};
  OVERLAPPED at{};
  const ULONGLONG last_offset = size.QuadPart - 1;
  at.Offset = static_cast<DWORD>(last_offset);
  at.OffsetHigh = static_cast<DWORD>(last_offset >> 32);
  char last = '\n';
  DWORD read = 0;
  if (!::ReadFile(file, &last, 1, &read, &at) || read != 1 || last == '\n') return {};
  return last == '\r' ? kLineEnd.substr(1) : kLineEnd;
}

}  // namespace

namespace {

// One write: the end of a cut last line, the header of an empty file, the line
// (`bytes` as they are; otherwise converted to the ANSI code page).
void Append(const std::filesystem::path& file, std::string_view header, std::string_view line,
            bool bytes) {
  // Reading too, to look at the last byte (writes still go to the end only); a log
  // the user may append to but not read is still appended to.
  HANDLE opened = OpenForAppending(file, FILE_APPEND_DATA | FILE_READ_DATA);
  if (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
    opened = OpenForAppending(file, FILE_APPEND_DATA);
  Handle handle(opened);
  if (!handle.valid()) ThrowFor(GetLastError());
  LARGE_INTEGER before{};
  GetFileSizeEx(handle.get(), &before);
  // The cut line is ended in the same write as the new line, so the new one is
  // readable and a failed write takes both back. A log line in the system's ANSI
  // code page, as other Windows programs expect.
  std::string record(EndOfACutLine(handle.get(), before));
  if (!header.empty() && before.QuadPart == 0)
    record += std::string(header) + std::string(kLineEnd);
  record += bytes ? std::string(line) : Narrow(Widen(line), CP_ACP);
  record += kLineEnd;
  if (!WriteAll(handle.get(), record)) {
    const DWORD error = GetLastError();
    // Take back a partly written line, so the next one starts on a line of its own.
    TruncateTo(file, before);
    ThrowFor(error);
  }
}

}  // namespace

void AppendLine(const std::filesystem::path& file, std::string_view line) {
  Append(file, {}, line, false);
}

void AppendRecord(const std::filesystem::path& file, std::string_view header,
                  std::string_view record) {
  Append(file, header, record, true);
}

void ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
  // A new file beside it, moved into place: the move replaces whatever stands at
  // the path (a link included) without writing through it.
  std::filesystem::path temporary = file;
  temporary += L".new";
  {
    Handle handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) ThrowFor(GetLastError());
    if (!WriteAll(handle.get(), bytes)) {
      const DWORD error = GetLastError();
      DeleteFileW(temporary.c_str());
      ThrowFor(error);
    }
  }
  if (!MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    ThrowFor(error);
  }
}

void PublishFile(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temporary = file;
  temporary += L".tmp";
  DWORD error = ERROR_SUCCESS;
  {
    Handle handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) ThrowFor(GetLastError());
    if (!WriteAll(handle.get(), bytes)) error = GetLastError();
  }
  // A reader that opened the file without sharing its deletion (a collector
  // reading it, an editor) refuses the replacement for as long as it holds the
  // file, which is a moment: the move is tried again for about a second.
  constexpr int kAttempts = 20;
  for (int attempt = 1; error == ERROR_SUCCESS; ++attempt) {
    if (MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    error = GetLastError();
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) && attempt < kAttempts) {
      error = ERROR_SUCCESS;
      Sleep(50);
    }
  }
  DeleteFileW(temporary.c_str());
  ThrowFor(error);
}

}  // namespace quorvane
