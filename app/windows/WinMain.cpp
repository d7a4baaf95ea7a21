// Quorvane.exe: the platform services, the sampler, the history, the Win32
// views, the window core, and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ReportCommand.h"
#include "app/windows/ConsoleOutput.h"
#include "platform/JournalFolder.h"
#include "platform/PlatformServices.h"
#include "platform/SystemClock.h"
#include "platform/TempFolder.h"
#include "platform/windows/AnsiFormClock.h"
#include "platform/windows/WideText.h"
#include "report/Report.h"
#include "report/Writers.h"
#include "sampling/HistoryLog.h"
#include "sampling/StatusSampler.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageBoxDialogs.h"
#include "ui/win32/SingleInstance.h"
#include "ui/win32/SystemDesktop.h"
#include "ui/win32/Win32MessageLoop.h"
#include "window/Form1.h"

namespace {

std::filesystem::path ProgramFile() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

// The window stops reporting to the core before the core goes.
class Attachment {
 public:
  Attachment(quorvane::win32::MainWindow& window, quorvane::Form1& form) : window_(window) {
    window_.Attach(&form);
  }
  ~Attachment() { window_.Attach(nullptr); }
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;

 private:
  quorvane::win32::MainWindow& window_;
};

// The program's arguments in UTF-8, without its own name.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(quorvane::Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The report options of the command line, before anything else: without the
// single-instance check, so they work beside a running copy. Nothing when the
// window should run.
std::optional<int> RunReportOptions(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;

  const quorvane::SystemClock system_clock;
  const quorvane::AnsiFormClock clock(system_clock);
  quorvane::win32::ConsoleOutput console(STD_OUTPUT_HANDLE);
  std::ostream out(&console);
  std::ostringstream errors;
  const auto status =
      quorvane::RunReportOptions(arguments, {quorvane::LogFilePath(quorvane::TempFolder()), clock,
                                             console.available() ? &out : nullptr, errors});
  if (status && !errors.str().empty()) {
    quorvane::win32::ConsoleOutput console_errors(STD_ERROR_HANDLE);
    if (console_errors.available()) {
      std::ostream(&console_errors) << errors.str();
    } else {
      std::string message = errors.str();
      while (!message.empty() && message.back() == '\n') message.pop_back();
      MessageBoxW(nullptr, quorvane::Widen(message).c_str(), L"Quorvane", MB_OK | MB_ICONWARNING);
    }
  }
  return status;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Libraries come from the system folder only, never from beside a downloaded
  // Quorvane.exe or from the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  // The log's lines are in the ANSI code page; reports show them in UTF-8.
  quorvane::report::UseAnsiCodePage(
      [](std::string_view text) { return quorvane::Narrow(quorvane::Widen(text, CP_ACP)); });

  quorvane::report::UseJournalFolder(quorvane::JournalFolder());
  const std::vector<std::string> arguments = Arguments();
  if (const auto status = RunReportOptions(arguments)) return *status;
  // The report options accepted the command line, so it parses.
  const auto metrics_folder = quorvane::ParseCommandLine(arguments).metrics_folder;

  // A second start (at logon and again by hand, say) brings the running copy to
  // the front instead of logging twice into the same file.
  quorvane::win32::SingleInstance single_instance;
  if (!single_instance.first()) {
    single_instance.ShowFirst();
    return 0;
  }

  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                        ICC_LISTVIEW_CLASSES |
                                                                        ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // The shell, which opens the home page, wants a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  const std::filesystem::path program = ProgramFile();
  auto services = quorvane::CreatePlatformServices(program);
  const auto temp_folder = quorvane::TempFolder();
  quorvane::StatusSampler sampler({*services.clock, *services.tool_runner,
                                   quorvane::SystemWirelessTool(), *services.signal_source,
                                   *services.connectivity, temp_folder, services.wlan.get()});
  quorvane::HistoryStore history(*services.clock);
  // The signal report reads the log back, whose dates are in the ANSI code page.
  const quorvane::AnsiFormClock log_text_clock(*services.clock);

  quorvane::win32::Win32MessageLoop loop(instance);
  quorvane::win32::MainWindow window(instance, history);
  quorvane::win32::MessageBoxDialogs dialogs;
  dialogs.set_owner(window.handle());
  quorvane::win32::SystemDesktop desktop(window.handle());

  int exit_code = 0;
  {
    quorvane::Form1 form(
        {sampler, *services.settings, *services.startup_entry, *services.clock, temp_folder,
         program.parent_path(), quorvane::DrawForHomePage, &log_text_clock},
        {window, window.tray(), dialogs, desktop, loop}, history);
    if (metrics_folder) form.set_metrics_folder_option(*metrics_folder);
    form.set_journal_folder(quorvane::JournalFolder());
    form.set_network_probe(services.network_probe);
    Attachment attachment(window, form);
    form.Form_Load();
    exit_code = quorvane::win32::Win32MessageLoop::Run(window.handle());
    // Closing is at once: the window leaves the screen before anything waits, and
    // a reading stuck inside WMI or the WLAN service ends with the process (and
    // the single-instance lock with it) instead of being waited for.
    ShowWindow(window.handle(), SW_HIDE);
    if (!form.EndReadings()) ExitProcess(static_cast<UINT>(exit_code));
  }
  CoUninitialize();
  return exit_code;
}
