#include <gtest/gtest.h>

#include "schedule/Countdown.h"
#include "schedule/IntervalTable.h"

namespace quorvane {
namespace {

TEST(IntervalTable, MapsCaptionsExactly) {
  EXPECT_EQ(IntervalSeconds("Log every 1 second"), 1);
  EXPECT_EQ(IntervalSeconds("Log every 5 seconds"), 5);
  EXPECT_EQ(IntervalSeconds("Log every 24 hours"), 86400);
  EXPECT_EQ(IntervalSeconds("log every 5 seconds"), 0);
  EXPECT_EQ(IntervalSeconds(""), 0);
  EXPECT_EQ(kIntervalTable[kDefaultIntervalIndex - 1].seconds, 5);
  EXPECT_FALSE(IsIntervalIndex(0));
  EXPECT_TRUE(IsIntervalIndex(12));
  EXPECT_FALSE(IsIntervalIndex(13));
}

TEST(FormatCountdown, ShowsTimeOfDayDroppingWholeDays) {
  EXPECT_EQ(FormatCountdown(0), "00:00:00");
  EXPECT_EQ(FormatCountdown(4), "00:00:04");
  EXPECT_EQ(FormatCountdown(86399), "23:59:59");
  EXPECT_EQ(FormatCountdown(86400), "00:00:00");
  EXPECT_EQ(FormatCountdown(90000), "01:00:00");
  EXPECT_EQ(FormatCountdown(-3), "00:00:03");
  EXPECT_EQ(FormatCountdown(INT32_MIN), "03:14:08");
}

// Ticks until the countdown asks for a sample; returns the number of ticks.
int TicksToSample(Countdown& countdown, int seconds_per_log, int limit = 200000) {
  for (int tick = 1; tick <= limit; ++tick)
    if (countdown.Tick(seconds_per_log) == Countdown::Action::kTakeSample) return tick;
  return -1;
}

TEST(Countdown, FillsTheBarAndSamplesOnTheLastTick) {
  Countdown countdown;
  countdown.TurnOn();
  EXPECT_EQ(countdown.Tick(5), Countdown::Action::kNone);
  EXPECT_EQ(countdown.display().frame_caption, "Next log will occur in 00:00:04");
  EXPECT_EQ(countdown.display().progress_maximum, 5);
  EXPECT_EQ(countdown.display().progress_value, 1);
  EXPECT_EQ(TicksToSample(countdown, 5), 4);
  EXPECT_EQ(countdown.display().frame_caption, "Next log will occur in 00:00:00");
  EXPECT_EQ(countdown.display().progress_value, 5);
  EXPECT_FALSE(countdown.ticking()) << "no ticks while the sample is under way";
  EXPECT_EQ(countdown.Tick(5), Countdown::Action::kNone);

  countdown.SampleFinished();
  EXPECT_TRUE(countdown.ticking());
  EXPECT_EQ(countdown.display().progress_value, 0);
  EXPECT_EQ(TicksToSample(countdown, 5), 5);
}

TEST(Countdown, HandlesTheShortestAndLongestIntervals) {
  Countdown countdown;
  countdown.TurnOn();
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(countdown.Tick(1), Countdown::Action::kTakeSample);
    EXPECT_EQ(countdown.display().frame_caption, "Next log will occur in 00:00:00");
    countdown.SampleFinished();
  }
  countdown.Restart(86400);
  countdown.Tick(86400);
  EXPECT_EQ(countdown.display().frame_caption, "Next log will occur in 23:59:59");
  EXPECT_EQ(TicksToSample(countdown, 86400), 86399);
}

TEST(Countdown, AClickOnTheListRestartsTheCount) {
  Countdown countdown;
  countdown.TurnOn();
  for (int i = 0; i < 3; ++i) countdown.Tick(10);
  countdown.Restart(5);
  EXPECT_EQ(TicksToSample(countdown, 5), 5);
}

TEST(Countdown, TurningOffAndOnResumesTheCount) {
  Countdown countdown;
  countdown.TurnOn();
  for (int i = 0; i < 7; ++i) countdown.Tick(10);
  countdown.TurnOff();
  EXPECT_FALSE(countdown.ticking());
  const auto shown = countdown.display();
  countdown.TurnOn();
  EXPECT_EQ(countdown.display().frame_caption, shown.frame_caption);
  EXPECT_EQ(TicksToSample(countdown, 10), 3);
}

TEST(Countdown, ASampleByHandLeavesTheCountAlone) {
  Countdown countdown;
  countdown.TurnOn();
  for (int i = 0; i < 2; ++i) countdown.Tick(5);
  countdown.ManualSampleFinished();
  EXPECT_EQ(countdown.display().progress_value, 0);
  countdown.Tick(5);
  EXPECT_EQ(countdown.display().progress_value, 3);
  EXPECT_EQ(TicksToSample(countdown, 5), 2);
}

TEST(Countdown, TurningOffDuringASampleIsRespected) {
  Countdown countdown;
  countdown.TurnOn();
  ASSERT_EQ(TicksToSample(countdown, 1), 1);
  countdown.TurnOff();
  countdown.SampleFinished();
  EXPECT_FALSE(countdown.ticking());
  EXPECT_EQ(countdown.seconds_elapsed(), 0);
}

TEST(Countdown, ACountBeyondTheIntervalSamplesAtOnce) {
  Countdown countdown;
  countdown.TurnOn();
  for (int i = 0; i < 7; ++i) countdown.Tick(10);
  // The choice changed to a shorter interval without a click on the list.
  EXPECT_EQ(countdown.Tick(5), Countdown::Action::kTakeSample);
  EXPECT_EQ(countdown.display().frame_caption, "Next log will occur in 00:00:00");
}

TEST(Countdown, StartsOffWithItsOwnCaption) {
  Countdown countdown;
  countdown.StartOff();
  EXPECT_FALSE(countdown.ticking());
  EXPECT_EQ(countdown.display().frame_caption, "Automatic Log is Turned Off.");
  countdown.Tick(5);
  EXPECT_EQ(countdown.display().frame_caption, "Automatic Log is Off.");
  EXPECT_EQ(countdown.seconds_elapsed(), 0);
}

}  // namespace
}  // namespace quorvane
