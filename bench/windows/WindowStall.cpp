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

}  // namespace

void LogNowWhileTheToolTakesThreeSeconds() {
  BenchWindow bench(SlowNetsh());
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
  Print("stall_log_now", measured, MsBetween(clicked, logged));
}

void SameSampleBlockingTheWindow() {
  BenchWindow bench(SlowNetsh());
  Clock::time_point started, logged;
  const Ticker measured = LongestStall([&] {
    PumpMessages(milliseconds(100));
    started = Clock::now();
    bench.sampler.TakeStatusSample(SignalMethod::kWirelessTool, bench.history,
                                   bench.form->LogFilePath());
    logged = Clock::now();
    PumpMessages(milliseconds(300));
  });
  Print("stall_blocking", measured, MsBetween(started, logged));
}

}  // namespace quorvane::bench
