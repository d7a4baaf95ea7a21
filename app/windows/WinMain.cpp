// Quorvane.exe: the platform services, the sampler, the history, the Win32
// views, the window core, and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "platform/PlatformServices.h"
#include "platform/TempFolder.h"
#include "platform/windows/WideText.h"
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

// The program's arguments in UTF-8, without its own name.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(quorvane::Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Libraries come from the system folder only, never from beside a downloaded
  // Quorvane.exe or from the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  quorvane::CommandLine command_line;
  try {
    command_line = quorvane::ParseCommandLine(Arguments());
  } catch (const quorvane::CommandLineError& error) {
    MessageBoxW(nullptr, quorvane::Widen(error.what()).c_str(), L"Quorvane",
                MB_OK | MB_ICONWARNING);
    return 2;
  }

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
                                   *services.connectivity, temp_folder});
  quorvane::HistoryStore history(*services.clock);

  quorvane::win32::Win32MessageLoop loop(instance);
  quorvane::win32::MainWindow window(instance, history);
  quorvane::win32::MessageBoxDialogs dialogs;
  dialogs.set_owner(window.handle());
  quorvane::win32::SystemDesktop desktop(window.handle());

  int exit_code = 0;
  {
    quorvane::Form1 form({sampler, *services.settings, *services.startup_entry, *services.clock,
                          temp_folder, program.parent_path()},
                         {window, window.tray(), dialogs, desktop, loop}, history);
    if (command_line.metrics_folder) form.set_metrics_folder_option(*command_line.metrics_folder);
    Attachment attachment(window, form);
    form.Form_Load();
    exit_code = quorvane::win32::Win32MessageLoop::Run(window.handle());
  }
  CoUninitialize();
  return exit_code;
}
