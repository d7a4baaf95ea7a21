#include "platform/Files.h"

#include <windows.h>

#include <string>

#include "platform/AppError.h"
#include "platform/windows/FileRefusal.h"
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

// Makes `file` only while the name is free, never opening anything through a link.
HANDLE CreateNew(const std::filesystem::path& file) {
  return CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Opens `file` as a new file for writing. Whatever stands at the name (a stale
// file, or a link planted there to make the program write elsewhere) is removed
// first, so nothing is ever written through a link. It is removed by moving a
// file of the program's own over it, which replaces the name itself: deleting a
// link by its name reaches its target on some systems.
HANDLE CreateFresh(const std::filesystem::path& file) {
  HANDLE handle = CreateNew(file);
  const DWORD error = GetLastError();
  if (handle != INVALID_HANDLE_VALUE ||
      (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
    return handle;
  std::filesystem::path aside = file;
  aside += L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount64());
  if (!Handle(CreateNew(aside)).valid()) return INVALID_HANDLE_VALUE;
  if (!MoveFileExW(aside.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD refused = GetLastError();
    DeleteFileW(aside.c_str());
    SetLastError(refused);
    return INVALID_HANDLE_VALUE;
  }
  DeleteFileW(file.c_str());
  return CreateNew(file);
}

// Other programs may read the log while it grows.
HANDLE OpenForAppending(const std::filesystem::path& file, DWORD access) {
  return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
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

// One attempt at one write: the end of a cut last line, the header of an empty
// file, the line (`bytes` as they are; otherwise converted to the ANSI code page).
// ERROR_SUCCESS, or why it failed.
DWORD TryToAppend(const std::filesystem::path& file, std::string_view header, std::string_view line,
                  bool bytes) {
  // Reading too, to look at the last byte (writes still go to the end only); a log
  // the user may append to but not read is still appended to.
  HANDLE opened = OpenForAppending(file, FILE_APPEND_DATA | FILE_READ_DATA);
  if (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
    opened = OpenForAppending(file, FILE_APPEND_DATA);
  Handle handle(opened);
  if (!handle.valid()) return GetLastError();
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
  if (WriteAll(handle.get(), record)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  // Take back a partly written line, so the next one starts on a line of its own.
  TruncateTo(file, before);
  return error;
}

// Another program holds the file: it opened it without sharing it (a sharing
// violation) or locked a range of it, which refuses writes rather than openings.
bool IsHeld(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

unsigned long RetryWhileHeld(const std::function<unsigned long()>& attempt) {
  constexpr int kAttempts = 20;
  constexpr DWORD kPauseMs = 50;
  for (int made = 1;; ++made) {
    const DWORD error = attempt();
    if (!IsHeld(error) || made == kAttempts) return error;
    Sleep(kPauseMs);
  }
}

void AppendLine(const std::filesystem::path& file, std::string_view line) {
  // Another program (a spreadsheet, a backup, a virus scanner) may hold the log
  // for a moment. The caller is not the window's thread, which never waits here.
  const DWORD error = RetryWhileHeld([&] { return TryToAppend(file, {}, line, false); });
  if (error != ERROR_SUCCESS) ThrowFor(error);
}

void AppendRecord(const std::filesystem::path& file, std::string_view header,
                  std::string_view record, WhileHeld while_held) {
  const auto attempt = [&] { return TryToAppend(file, header, record, true); };
  const DWORD error = while_held == WhileHeld::kWait ? RetryWhileHeld(attempt) : attempt();
  if (error == ERROR_SUCCESS) return;
  if (while_held == WhileHeld::kGiveUp && IsHeld(error)) throw FileHeldError(DescriptionOf(error));
  ThrowFor(error);
}

void ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
  // A new file beside it, moved into place: the move replaces whatever stands at
  // the path (a link included) without writing through it.
  std::filesystem::path temporary = file;
  temporary += L".new";
  {
    Handle handle(CreateFresh(temporary));
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

bool RefusalPassesSoon(const std::filesystem::path& file) {
  // Read-only, a folder, or gone: nothing anyone lets go of changes that.
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  // Asking for the right to delete it tells a reader's hold (a sharing violation)
  // from an access list that refuses it for good.
  HANDLE handle =
      CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(handle);  // let go in the meantime
  return true;
}

void PublishFile(const std::filesystem::path& file, std::string_view bytes) {
  // The folder is shared with the collector's account, so whoever may write in it
  // could plant a link at the temporary name: it is made afresh, never followed.
  std::filesystem::path temporary = file;
  temporary += L".tmp";
  DWORD error = ERROR_SUCCESS;
  {
    Handle handle(CreateFresh(temporary));
    if (!handle.valid()) ThrowFor(GetLastError());
    if (!WriteAll(handle.get(), bytes)) error = GetLastError();
  }
  // A reader that opened the file without sharing its deletion (a collector
  // reading it, an editor) refuses the replacement for as long as it holds the
  // file, which is a moment: the move is tried again for about a second. A file
  // that may not be replaced at all is reported at once.
  constexpr int kAttempts = 20;
  for (int attempt = 1; error == ERROR_SUCCESS; ++attempt) {
    if (MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION ||
                      (error == ERROR_ACCESS_DENIED && RefusalPassesSoon(file));
    if (held && attempt < kAttempts) {
      error = ERROR_SUCCESS;
      Sleep(50);
    }
  }
  DeleteFileW(temporary.c_str());
  ThrowFor(error);
}

}  // namespace quorvane
