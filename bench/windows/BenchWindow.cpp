#include "bench/windows/BenchWindow.h"

#include <psapi.h>

namespace quorvane::bench {

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void PumpMessages(std::chrono::milliseconds duration, const std::function<bool()>& done) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  // A reading that never ends must not hold the whole run.
  const auto give_up = start + duration + std::chrono::seconds(20);
  for (;;) {
    // Woken by the first message, or after 5 ms to look at the clock again.
    MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    DispatchWaitingMessages();
    const bool finished = done();
    const auto now = Clock::now();
    if ((now - start >= duration && finished) || now > give_up) return;
  }
}

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  // Wine fills only the older counters; on Windows PagefileUsage is the same
  // private commit charge.
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

std::filesystem::path ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length)).parent_path();
}

BenchWindow::BenchWindow(const std::filesystem::path& netsh)
    : sampler({clock, runner,
               WirelessTool{{netsh.string(), {"wlan", "show", "networks", "mode=bssid"}},
                            WirelessOutputFormat::kNetsh},
               source, connectivity, temp.path()}) {
  // Method #1, no automatic logging: samples are taken only when asked for.
  settings.values["StartStopState"] = "Off";
  form = std::make_unique<Form1>(
      Form1Services{sampler, settings, startup_entry, clock, temp.path(), temp.path()},
      Form1Views{window, window.tray(), dialogs, desktop, loop}, history);
  window.Attach(form.get());
  form->Load();  // shows the window
  PumpMessages(std::chrono::milliseconds(300));
}

BenchWindow::~BenchWindow() { window.Attach(nullptr); }

}  // namespace quorvane::bench
