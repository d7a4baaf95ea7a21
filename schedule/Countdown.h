#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// "hh:mm:ss" of the seconds, whole days dropped; a negative count shows its size.
std::string FormatCountdown(std::int32_t seconds);

// The countdown to the next automatic sample, driven one tick (one second) at a
// time. It counts ticks, not clock time: a jump of the clock changes nothing, and
// the time a sample takes is not counted. While a sample is under way the ticks
// stop; they go on afterwards only if automatic logging is still on.
class Countdown {
 public:
  enum class Action { kNone, kTakeSample };

  // What the window shows of the countdown.
  struct Display {
    std::string frame_caption = "Next log will occur in";
    std::int32_t progress_maximum = 100;
    std::int32_t progress_value = 0;
  };

  // Whether the one-second timer should be running now.
  bool ticking() const { return on_ && !sampling_; }
  bool on() const { return on_; }
  bool sampling() const { return sampling_; }
  std::int32_t seconds_elapsed() const { return seconds_elapsed_; }
  std::int32_t seconds_per_log() const { return seconds_per_log_; }
  const Display& display() const { return display_; }

  // The switch. Turning on resumes the count where it stopped.
  void TurnOn() { on_ = true; }
  void TurnOff() { on_ = false; }
  // Automatic logging found off at start.
  void StartOff();

  // A new interval was chosen: it runs in full from now.
  void Restart(std::int32_t seconds_per_log);

  // One second passed; `seconds_per_log` is the interval now chosen. Returns
  // kTakeSample when the interval is complete; the countdown then waits for
  // SampleFinished.
  Action Tick(std::int32_t seconds_per_log);

  // The automatic sample ended, well or not: count again from 0.
  void SampleFinished();

  // A sample taken by hand empties the bar until the next tick.
  void ManualSampleFinished() { display_.progress_value = 0; }

 private:
  bool on_ = false;
  bool sampling_ = false;
  std::int32_t seconds_elapsed_ = 0;
  std::int32_t seconds_per_log_ = 0;
  Display display_;
};

}  // namespace quorvane
