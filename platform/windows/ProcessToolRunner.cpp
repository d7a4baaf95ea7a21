#include "platform/ProcessToolRunner.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/AppError.h"
#include "platform/Files.h"
#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

// Quotes one argument by the rules the C runtime uses to split a command line.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void Close() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = nullptr;
  }
  bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// NTSTATUS error codes (access violation and the like) end a process that crashed.
bool IsCrashCode(DWORD code) { return code >= 0xC0000000u; }

// Moves the captured output into place. A file that was just closed can stay
// locked for a moment (the tool's handle is released after it is seen to end,
// and virus scanners look at new files), so a refusal is tried again briefly.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
    Sleep(25);
  }
  return false;
}

}  // namespace

ToolResult ProcessToolRunner::RunToFile(const ToolCommand& command,
                                        const std::filesystem::path& output_file,
                                        std::chrono::milliseconds limit) {
  // A name of its own for every run: a tool ended at its time limit can keep its
  // file open for a moment longer, and must not stand in the next run's way.
  static std::atomic<unsigned> runs{0};
  std::filesystem::path capture = output_file;
  capture +=
      L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs) + L".part";
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  // Shared for deletion: the file is renamed once the tool is done with it.
  Handle output(CreateFileW(capture.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!output.valid())
    throw AppError("The wireless tool's output could not be stored: " +
                   SystemMessage(GetLastError(), Narrow(capture.wstring())));
  Handle nothing(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0,
                             nullptr));

  const std::wstring program = Widen(command.program);
  std::wstring line = Quoted(program);
  for (const auto& argument : command.arguments) line += L" " + Quoted(Widen(argument));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing.get();
  startup.hStdOutput = output.get();
  startup.hStdError = nothing.get();
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  output.Close();
  ToolResult result;
  if (!started) {
    result.outcome = ToolOutcome::kFailedToStart;
  } else {
    Handle process_handle(process.hProcess);
    Handle thread_handle(process.hThread);
    SetRunning(reinterpret_cast<std::intptr_t>(process.hProcess));
    const DWORD waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(limit.count()));
    SetRunning(0);
    if (waited != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, 5000);
      DeleteFileW(capture.c_str());
      return {ToolOutcome::kTimedOut, 0};
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result = {IsCrashCode(code) ? ToolOutcome::kCrashed : ToolOutcome::kExited,
              static_cast<int>(code)};
    // Ended on the program's way out: TerminateProcess leaves an ordinary exit
    // code, and the output cut short would read as no connection.
    std::lock_guard lock(mutex_);
    if (stopping_) {
      DeleteFileW(capture.c_str());
      return {ToolOutcome::kCrashed, static_cast<int>(code)};
    }
  }
  // Whatever was printed (nothing, when the tool never ran) becomes the output file.
  if (!MoveIntoPlace(capture, output_file)) {
    const DWORD error = GetLastError();
    DeleteFileW(capture.c_str());
    throw AppError("The wireless tool's output could not be stored: " +
                   SystemMessage(error, Narrow(output_file.wstring())));
  }
  return result;
}

void ProcessToolRunner::SetRunning(std::intptr_t tool) {
  std::lock_guard lock(mutex_);
  running_ = tool;
  if (tool != 0 && stopping_) TerminateProcess(reinterpret_cast<HANDLE>(tool), 1);
}

void ProcessToolRunner::StopRunningTool() {
  std::lock_guard lock(mutex_);
  stopping_ = true;  // a tool starting after this is ended as soon as it runs
  if (running_ != 0) TerminateProcess(reinterpret_cast<HANDLE>(running_), 1);
}

}  // namespace quorvane
