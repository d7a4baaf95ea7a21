// How long the window's thread stops answering while a sample waits for a slow
// netsh: a 10 ms timer on that thread notes how late it fires at worst.
#include "bench/windows/WindowStall.h"

#include <cstdio>

#include "bench/windows/BenchWindow.h"

namespace quorvane::bench {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// A thread timer has no window to carry its state, so the one measurement under
// way keeps it here.
struct Ticker {
  Clock::time_point expected;
  double longest_late_ms = 0;
  int ticks = 0;
};
Ticker* ticker = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const auto now = Clock::now();
  ticker->longest_late_ms = std::max(ticker->longest_late_ms, MsBetween(ticker->expected, now));
  ticker->expected = now + milliseconds(10);
  ++ticker->ticks;
}

// Runs `work` on the window's thread with the 10 ms timer going.
template <typename Work>
Ticker LongestStall(Work work) {
  Ticker measured;
  ticker = &measured;
  measured.expected = Clock::now() + milliseconds(10);
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
  work();
  KillTimer(nullptr, timer);
  ticker = nullptr;
  return measured;
}

std::filesystem::path SlowNetsh() { return ProgramFolder() / L"slow_netsh.exe"; }

void Print(const char* name, const Ticker& measured, double reading_ms) {
  std::printf("%s.longest_stall_ms=%.1f\n", name, measured.longest_late_ms);
  std::printf("%s.ticks=%d\n", name, measured.ticks);
  std::printf("%s.reading_ms=%.0f\n", name, reading_ms);
}

// Clicks "Log Current Status Now (Test)" with the timer going, until the sample
// is in the list and the reading has ended, and prints the figures as `name`.
void LogNowAndMeasure(BenchWindow& bench, const char* name) {
  Clock::time_point clicked, logged;
  const Ticker measured = LongestStall([&] {
    PumpMessages(milliseconds(100));
    clicked = Clock::now();
    bench.Click(Control::PushButton6);
    PumpMessages(milliseconds(3200), [&] {
      if (bench.history.size() == 0) return false;
      if (logged == Clock::time_point{}) logged = Clock::now();
      return !bench.form->sample_under_way();
    });
  });
  Print(name, measured, MsBetween(clicked, logged));
}

}  // namespace

void LogNowWhileTheToolTakesThreeSeconds() {
  BenchWindow bench(SlowNetsh());
  LogNowAndMeasure(bench, "stall_log_now");
}

void LogNowWhileAnotherProgramHoldsTheLog() {
  BenchWindow bench(SlowNetsh());
  const std::filesystem::path log = bench.form->LogFilePath();
  // This program again, as the other program: it holds the log without sharing
  // from before the reading ends (3 s) until half a second after.
  std::wstring command = L"\"" + (ProgramFolder() / L"win32_benchmarks.exe").wstring() +
                         L"\" hold-log \"" + log.wstring() + L"\" 3500";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION holder{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &holder)) {
    std::fprintf(stderr, "the holding process did not start\n");
    return;
  }
  const auto held = [&] {
    const HANDLE probe = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    return probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
  };
  for (int wait = 0; wait < 200 && !held(); ++wait) Sleep(10);
  LogNowAndMeasure(bench, "stall_held_log");
  WaitForSingleObject(holder.hProcess, INFINITE);
  CloseHandle(holder.hThread);
  CloseHandle(holder.hProcess);
  std::printf("stall_held_log.errors=%zu\n", bench.dialogs.errors.size());
}

void HoldFile(const std::filesystem::path& file, milliseconds duration) {
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  Sleep(static_cast<DWORD>(duration.count()));
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

void SameSampleBlockingTheWindow() {
  BenchWindow bench(SlowNetsh());
  Clock::time_point started, logged;
  const Ticker measured = LongestStall([&] {
    PumpMessages(milliseconds(100));
    started = Clock::now();
    bench.sampler.TakeStatusSample(Method::kWirelessTool, bench.history, bench.form->LogFilePath());
    logged = Clock::now();
    PumpMessages(milliseconds(300));
  });
  Print("stall_blocking", measured, MsBetween(started, logged));
}

}  // namespace quorvane::bench
