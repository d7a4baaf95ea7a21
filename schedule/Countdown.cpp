#include "schedule/Countdown.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane {

std::string FormatCountdown(std::int32_t seconds) {
  const std::int64_t size = std::llabs(static_cast<std::int64_t>(seconds)) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(size / 3600),
                static_cast<int>(size / 60 % 60), static_cast<int>(size % 60));
  return text;
}

void Countdown::StartOff() {
  on_ = false;
  display_.frame_caption = "Automatic Log is Turned Off.";
}

void Countdown::Restart(std::int32_t seconds_per_log) {
  seconds_per_log_ = seconds_per_log;
  seconds_elapsed_ = 0;
}

Countdown::Action Countdown::Tick(std::int32_t seconds_per_log) {
  if (!on_) {
    display_.frame_caption = "Automatic Log is Off.";
    return Action::kNone;
  }
  if (sampling_) return Action::kNone;
  seconds_per_log_ = seconds_per_log;
  if (seconds_elapsed_ < INT32_MAX) ++seconds_elapsed_;
  display_.progress_maximum = seconds_per_log_;
  if (seconds_elapsed_ <= seconds_per_log_) display_.progress_value = seconds_elapsed_;
  // A count beyond the interval (chosen shorter without restarting) is due now.
  const bool due = seconds_per_log_ > 0 && seconds_elapsed_ >= seconds_per_log_;
  display_.frame_caption =
      "Next log will occur in " + FormatCountdown(due ? 0 : seconds_per_log_ - seconds_elapsed_);
  if (!due) return Action::kNone;
  sampling_ = true;
  return Action::kTakeSample;
}

void Countdown::SampleFinished() {
  sampling_ = false;
  seconds_elapsed_ = 0;
  display_.progress_value = 0;
}

}  // namespace quorvane
