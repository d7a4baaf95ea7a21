#include "app/windows/CommandLineRun.h"

#include <windows.h>

#include <shellapi.h>

#include <ostream>
#include <sstream>

#include "app/CommandLine.h"
#include "app/ReportCommand.h"
#include "app/windows/ConsoleOutput.h"
#include "platform/JournalFolder.h"
#include "platform/SystemClock.h"
#include "platform/TempFolder.h"
#include "platform/windows/AnsiFormClock.h"
#include "platform/windows/WideText.h"
#include "report/Report.h"
#include "report/Writers.h"
#include "sampling/HistoryLog.h"

namespace quorvane::win32 {

void PrepareProcess() {
  // Never a DLL planted beside a downloaded program or in the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The log's lines are in the ANSI code page; reports show them in UTF-8.
  report::UseAnsiCodePage([](std::string_view text) { return Narrow(Widen(text, CP_ACP)); });
  // Reports show the journal's outages beside the log's samples.
  report::UseJournalFolder(JournalFolder());
}

std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::filesystem::path ProgramFile() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

std::wstring CommandLineFor(std::wstring_view program, std::wstring_view command_line) {
  // The first word ends at its closing quote when it begins with one, else at the
  // first blank; quotes inside it mean nothing (CommandLineToArgvW's rule).
  std::size_t end = 0;
  if (!command_line.empty() && command_line.front() == L'"') {
    end = command_line.find(L'"', 1);
    end = end == std::wstring_view::npos ? command_line.size() : end + 1;
  } else {
    end = command_line.find_first_of(L" \t");
    if (end == std::wstring_view::npos) end = command_line.size();
  }
  std::wstring line = L"\"";
  line.append(program).append(L"\"");
  line.append(command_line.substr(end));
  return line;
}

std::optional<int> RunReportOptions(const std::vector<std::string>& arguments) {
  // Decided before any console is taken: the logger never holds one.
  if (!AnswersInText(arguments)) return std::nullopt;

  const SystemClock system_clock;
  const AnsiFormClock clock(system_clock);
  ConsoleOutput console(STD_OUTPUT_HANDLE);
  std::ostream out(&console);
  std::ostringstream errors;
  const auto status = quorvane::RunReportOptions(
      arguments, {LogFilePath(TempFolder()), clock, console.available() ? &out : nullptr, errors});
  if (status && !errors.str().empty()) {
    ConsoleOutput console_errors(STD_ERROR_HANDLE);
    if (console_errors.available()) {
      std::ostream(&console_errors) << errors.str();
    } else {
      std::string message = errors.str();
      while (!message.empty() && message.back() == '\n') message.pop_back();
      // The usage or the version (status 0), or what could not be done.
      MessageBoxW(nullptr, Widen(message).c_str(), L"Quorvane",
                  MB_OK | (*status == 0 ? MB_ICONINFORMATION : MB_ICONWARNING));
    }
  }
  return status;
}

}  // namespace quorvane::win32
