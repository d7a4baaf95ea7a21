#pragma once

#include "report/Sample.h"

namespace quorvane::report {

// A sample below the weak threshold is a weak signal; below the poor one, a poor
// signal. Method #1 in percent, Method #2 in levels.
inline int WeakThreshold(Method method) { return method == Method::kPercent ? 50 : 2; }
inline int PoorThreshold(Method method) { return method == Method::kPercent ? 30 : 1; }

// A pause between two samples is a gap (a time without samples) when it is longer
// than this many times the median spacing of the samples on either side of it,
// each side on its own, and than the pause just before and just after it: the
// pauses of a changed interval come in a row, and are not gaps...
inline constexpr int kGapFactor = 3;
// ...and longer than this, in seconds.
inline constexpr int kGapMinimumSeconds = 60;
// A sample dated this long before the newest one so far has a clock set back.
inline constexpr std::int64_t kClockSetBackSeconds = 366 * 86400;
// How many spacings on each side of a pause make up its median.
inline constexpr int kGapNeighbours = 5;

}  // namespace quorvane::report
