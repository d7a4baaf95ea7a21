// Quorvane.exe: the program's parts, the Win32 views over them, and the message
// loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/Assembly.h"
#include "app/CommandLine.h"
#include "app/windows/CommandLineRun.h"
#include "app/windows/ConsoleOutput.h"
#include "sampling/HistoryLog.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageBoxDialogs.h"
#include "ui/win32/SingleInstance.h"
#include "ui/win32/SystemDesktop.h"
#include "ui/win32/Win32MessageLoop.h"
#include "window/Form1.h"

namespace {

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

// The main window, for the console's handler, which runs on a thread of its own.
std::atomic<HWND> g_main_window = nullptr;

// A console this program shares (Quorvane.exe started by a console program that
// handed it its console) closing, or the user logging off or shutting down: the
// system ends the process when this returns, so the close runs first, on the
// window's thread, as it does for the end of the session.
BOOL WINAPI OnConsoleEnd(DWORD event) {
  if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT)
    return FALSE;
  const LPARAM reason = event == CTRL_LOGOFF_EVENT ? ENDSESSION_LOGOFF : 0;
  if (const HWND window = g_main_window) SendMessageW(window, WM_ENDSESSION, TRUE, reason);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  quorvane::win32::PrepareProcess();
  const std::vector<std::string> arguments = quorvane::win32::Arguments();
  if (const auto status = quorvane::win32::RunReportOptions(arguments)) return *status;
  // The report options accepted the command line, so it parses.
  const auto metrics_folder = quorvane::ParseCommandLine(arguments).metrics_folder;

  // A second start (at logon and again by hand, say) brings the running copy to
  // the front instead of logging twice into the same file.
  quorvane::win32::SingleInstance single_instance;
  if (!single_instance.first()) {
    single_instance.ShowFirst();
    // Said only where its output goes somewhere, as the Linux program does; never
    // by taking a console, which only the command line's text answers take.
    quorvane::win32::ConsoleOutput console(STD_OUTPUT_HANDLE, false);
    if (console.available()) std::ostream(&console) << quorvane::kAlreadyRunning << std::endl;
    return 0;
  }

  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                        ICC_LISTVIEW_CLASSES |
                                                                        ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // The shell, which opens the home page, wants a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // COM's security for the whole process, before its first use: WMI's providers
  // act as the caller, so calls must allow impersonation. It can be set once only,
  // so not on the reading thread, where a save dialog or an opened page would have
  // settled it first.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                       RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);

  int exit_code = 0;
  {
    quorvane::Assembly assembly(quorvane::win32::ProgramFile(), metrics_folder);
    quorvane::win32::Win32MessageLoop loop(instance);
    quorvane::win32::MainWindow window(instance, assembly.history());
    quorvane::win32::MessageBoxDialogs dialogs;
    dialogs.set_owner(window.handle());
    quorvane::win32::SystemDesktop desktop(window.handle());
    quorvane::Form1& form = assembly.BuildForm({window, window.tray(), dialogs, desktop, loop});
    Attachment attachment(window, form);
    g_main_window = window.handle();
    SetConsoleCtrlHandler(OnConsoleEnd, TRUE);
    form.Load();
    exit_code = quorvane::win32::Win32MessageLoop::Run(window.handle());
    // Closing is at once: a reading stuck inside WMI or the WLAN service ends with
    // the process (and the single-instance lock with it).
    window.FinishClose(static_cast<UINT>(exit_code));
    SetConsoleCtrlHandler(OnConsoleEnd, FALSE);
    g_main_window = nullptr;
    window.Attach(nullptr);
    assembly.TakeDownForm();
  }
  CoUninitialize();
  return exit_code;
}
