#pragma once

#include <cstdint>

#include "model/Gaps.h"

namespace quorvane::journal {

// A pause between samples of at most this is never a gap, as for the report's gaps.
inline constexpr std::int64_t kShortestGapSeconds = kGapMinimumSeconds;

// Tells the gaps between the journal's samples (Quorvane not running, the computer
// asleep), sample by sample, in time order, in fixed memory. A pause is a gap when
// it is long (IsGapLong, with `shortest_gap_seconds`) beside the spacing of the
// samples before it, unless it is about as long as a gap just before it: the
// interval was made longer, and its pauses after the first are no gaps.
class GapRule {
 public:
  explicit GapRule(std::int64_t shortest_gap_seconds = kShortestGapSeconds)
      : shortest_gap_(shortest_gap_seconds) {}

  struct Pause {
    std::int64_t seconds = 0;  // since the sample before; 0 for the first sample
    bool gap = false;
  };
  Pause Add(std::int64_t utc);

  // The spacing of the samples up to the last one, 0 when not known yet: how much
  // time a sample stands for when no sample follows it before a gap.
  std::int64_t spacing() const { return spacing_; }

 private:
  std::int64_t shortest_gap_;
  std::int64_t spacing_ = 0;   // the last pause that was no gap, never below 0
  std::int64_t last_gap_ = 0;  // the pause before, when it was a gap; otherwise 0
  std::int64_t last_utc_ = 0;
  bool any_ = false;
};

}  // namespace quorvane::journal
