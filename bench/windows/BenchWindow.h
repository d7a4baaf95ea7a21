#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/ProcessToolRunner.h"
#include "platform/SystemClock.h"
#include "platform/WirelessTool.h"
#include "sampling/StatusSampler.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Win32MessageLoop.h"
#include "window/Form1.h"

namespace quorvane::bench {

// Dispatches the messages waiting for the thread, without waiting for more.
void DispatchWaitingMessages();

// Dispatches the thread's messages for at least `duration` and until `done` says
// so (asked after every round of messages), giving up 20 s after `duration`.
void PumpMessages(
    std::chrono::milliseconds duration, const std::function<bool()>& done = [] { return true; });

// Bytes the process has committed for itself (PROCESS_MEMORY_COUNTERS_EX::PrivateUsage).
std::size_t PrivateBytes();

// The folder of this program, where the benchmark's own netsh lies beside it.
std::filesystem::path ProgramFolder();

// Quorvane.exe's window as the program builds it: the real main window over the
// window core, the real tool runner and clock, with `netsh` as the wireless tool
// and fakes for the settings, the dialogs and the desktop.
struct BenchWindow {
  explicit BenchWindow(const std::filesystem::path& netsh);
  ~BenchWindow();
  BenchWindow(const BenchWindow&) = delete;
  BenchWindow& operator=(const BenchWindow&) = delete;

  void Click(Control control) { SendMessageW(window.control(control), BM_CLICK, 0, 0); }

  testing::TempDir temp{"temp"};
  SystemClock clock;
  ProcessToolRunner runner;
  testing::FakeSignalSource source;
  testing::FakeConnectivity connectivity;
  testing::FakeSettingsStore settings;
  testing::FakeStartupEntry startup_entry;
  testing::FakeDialogs dialogs;
  testing::FakeDesktop desktop;
  StatusSampler sampler;
  HistoryStore history{clock};
  win32::Win32MessageLoop loop{GetModuleHandleW(nullptr)};
  win32::MainWindow window{GetModuleHandleW(nullptr), history};
  std::unique_ptr<Form1> form;
};

}  // namespace quorvane::bench
