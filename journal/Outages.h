#pragma once

#include <cstdint>
#include <vector>

#include "journal/Gaps.h"
#include "model/Cause.h"

namespace quorvane::journal {

// A run of samples sharing a cause other than ok and unknown.
struct Outage {
  std::int64_t start = 0;  // UTC seconds of its first sample
  std::int64_t end = 0;    // of the first sample with another cause, or of its last one
  Cause cause = Cause::kWifi;
  std::int32_t start_offset = 0;  // the local offsets from UTC there, seconds
  std::int32_t end_offset = 0;
  std::uint64_t samples = 1;
  // The usual spacing of the samples around it, seconds; 0 when not known. An outage
  // whose samples all fall in one second (one sample before a gap) stands for about that.
  std::int64_t spacing = 0;

  std::int64_t Seconds() const { return end - start; }
};

// Finds outages sample by sample, in time order, in fixed memory. An outage ends at
// the first sample with another cause. A gap (GapRule) is never part of an
// outage: one under way ends at its last sample before the gap.
class OutageFinder {
 public:
  explicit OutageFinder(std::int64_t shortest_gap_seconds = kShortestGapSeconds)
      : gaps_(shortest_gap_seconds) {}

  // Returns the outage this sample ended, if any.
  std::vector<Outage> Add(std::int64_t utc, Cause cause, std::int32_t offset = 0);
  // The outage still under way after the last sample, ended there.
  std::vector<Outage> Finish();

 private:
  GapRule gaps_;
  bool open_ = false;
  Outage current_;
  std::int64_t last_utc_ = 0;
  std::int32_t last_offset_ = 0;
};

}  // namespace quorvane::journal
