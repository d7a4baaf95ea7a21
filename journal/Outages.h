#pragma once

#include <cstdint>
#include <vector>

#include "journal/Cause.h"

namespace quorvane::journal {

// A run of samples sharing a cause other than ok and unknown.
struct Outage {
  std::int64_t start = 0;  // UTC seconds of its first sample
  std::int64_t end = 0;    // of the first sample with another cause, or of its last one
  Cause cause = Cause::kWifi;

  std::int64_t Seconds() const { return end - start; }
};

// Finds outages sample by sample, in time order, in fixed memory. An outage ends at
// the first sample with another cause. A pause longer than `longest_pause_seconds`
// (Quorvane not running, the computer asleep) is never part of an outage: one under
// way ends at its last sample before the pause.
class OutageFinder {
 public:
  explicit OutageFinder(std::int64_t longest_pause_seconds)
      : longest_pause_(longest_pause_seconds) {}

  // Returns the outage this sample ended, if any.
  std::vector<Outage> Add(std::int64_t utc, Cause cause);
  // The outage still under way after the last sample, ended there.
  std::vector<Outage> Finish();

 private:
  std::int64_t longest_pause_;
  bool open_ = false;
  bool any_ = false;
  Outage current_;
  std::int64_t last_utc_ = 0;
};

}  // namespace quorvane::journal
