// Quorvane.com: the console companion of Quorvane.exe. cmd and PowerShell prefer
// it when the user types `quorvane`, and wait for it, as they do not for a
// program with a window: the report options print in order and set the exit
// status. Anything else asks for the logger: Quorvane.com starts Quorvane.exe
// beside it, with the same arguments, and returns at once, so the prompt comes
// back and neither Ctrl+C nor closing the console ends the logger.
#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "app/windows/CommandLineRun.h"
#include "app/windows/ConsoleOutput.h"
#include "platform/windows/WideText.h"

namespace {

int StartWindowProgram() {
  std::filesystem::path program = quorvane::win32::ProgramFile();
  program.replace_extension(L".exe");
  std::wstring line = quorvane::win32::CommandLineFor(program.wstring(), GetCommandLineW());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Neither this console nor its Ctrl+C group: the logger outlives both.
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                      &process)) {
    const DWORD error = GetLastError();
    const std::string name = quorvane::Narrow(program.wstring());
    quorvane::win32::ConsoleOutput console(STD_ERROR_HANDLE);
    std::ostream(&console) << "Quorvane: " << name
                           << " could not be started: " << quorvane::SystemMessage(error, name)
                           << "\n";
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace

int wmain() {
  quorvane::win32::PrepareProcess();
  if (const auto status = quorvane::win32::RunReportOptions(quorvane::win32::Arguments()))
    return *status;
  return StartWindowProgram();
}
