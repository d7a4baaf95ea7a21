// The window under odd conditions: stored values of the wrong kind, a clock that
// jumps, and a long run of samples.
#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>

#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

TEST(Form1Robustness, EveryStoredValueOfTheWrongKindStillStarts) {
  Form1Harness h;
  h.settings.values = {{"Windows Startup", "yes"}, {"Minimized", "1"},
                       {"Option1", "\xff\xfe"},    {"Option2", "True or False"},
                       {"OftenIndex", "2.5e9"},    {"StartStopState", "OFF"}};
  Form1& form = h.Load();
  // Each unreadable value is reported once, as the start-up step it belongs to.
  std::vector<int> lines;
  for (const auto& report : h.dialogs.errors) lines.push_back(report.line);
  EXPECT_EQ(lines, (std::vector<int>{162, 190, 192}));
  EXPECT_FALSE(h.window.IsChecked(Control::Check4));
  EXPECT_FALSE(h.window.visible[Control::Check8]);
  EXPECT_TRUE(h.window.IsChecked(Control::Option1));
  EXPECT_EQ(h.SelectedIntervalRow(), 1);
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_EQ(form.LogFilePath(), h.temp / "Quorvane.txt");
}

TEST(Form1Robustness, AJumpingClockNeitherBurstsNorLosesSamples) {
  Form1Harness h;
  h.Load();
  h.Tick(3);
  h.clock.now.hour = 2;  // back by hours
  h.Tick(2);
  h.WaitForReading();
  h.clock.now.day = 9;  // forward by days
  h.Tick(5);
  h.WaitForReading();
  ASSERT_EQ(h.history.size(), 2u);
  EXPECT_EQ(h.history.Line(0), "12/07/26 02:03:11 WiFi Signal Strength is 70%");
  EXPECT_EQ(h.history.Line(1), "12/09/26 02:03:11 WiFi Signal Strength is 70%");
}

TEST(Form1Robustness, AHundredThousandSamplesCostOnlyTheirLines) {
#if !defined(__GLIBC__)
  GTEST_SKIP() << "measures the heap through glibc";
#else
  Form1Harness h;
  h.settings.values = {{"OftenIndex", "1"}};  // a sample on every tick
  Form1& form = h.Load();
  h.window.UserMinimizes();  // as in the tray, where such runs spend their time
  form.WindowStateChanged();
  constexpr int kWarmUp = 1000;  // one-time allocations of a first sample are not growth
  constexpr int kSamples = 100000;
  const auto sample = [&](int i) {
    h.clock.now.second = i % 60;
    h.Tick();
    h.WaitForReading();
    h.tool.commands.clear();  // the fake's own record of calls is not the program's
  };
  for (int i = 0; i < kWarmUp; ++i) sample(i);
  // Heap in use, large blocks mapped on their own included.
  const auto heap = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
  const auto heap_before = heap();
  for (int i = kWarmUp; i < kSamples; ++i) sample(i);
  const auto heap_after = heap();
  ASSERT_EQ(h.history.size(), std::size_t(kSamples));
  EXPECT_TRUE(h.dialogs.silent());
  const double bytes_per_sample = double(heap_after - heap_before) / (kSamples - kWarmUp);
  EXPECT_LT(bytes_per_sample, 32);
  // Every sample reached the log, each on a line of its own.
  const std::string log = h.Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), std::ptrdiff_t(kSamples));
#endif
}

}  // namespace
}  // namespace quorvane::testing
