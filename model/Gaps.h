#pragma once

#include <cstdint>

namespace quorvane {

// A gap is a time without samples (Quorvane not running, the computer asleep):
// a pause between two samples longer than this many times their usual spacing...
inline constexpr int kGapFactor = 3;
// ...and longer than this, in seconds, so that a slow reading is never one.
inline constexpr int kGapMinimumSeconds = 60;

// Whether a pause of `pause_seconds` is long enough to be a gap when samples are
// usually `spacing_seconds` apart. The journal, the report and the notifications
// each decide what the usual spacing is and what else rules a pause out.
constexpr bool IsGapLong(std::int64_t pause_seconds, std::int64_t spacing_seconds,
                         std::int64_t shortest_seconds = kGapMinimumSeconds) {
  return pause_seconds > shortest_seconds && pause_seconds > kGapFactor * spacing_seconds;
}

}  // namespace quorvane
