#include "journal/Gaps.h"

#include <algorithm>

#include "model/Gaps.h"

namespace quorvane::journal {

GapRule::Pause GapRule::Add(std::int64_t utc) {
  Pause pause;
  if (any_) {
    pause.seconds = utc - last_utc_;
    const bool like_last_gap =
        last_gap_ > 0 && pause.seconds <= 2 * last_gap_ && last_gap_ <= 2 * pause.seconds;
    pause.gap = IsGapLong(pause.seconds, spacing_, shortest_gap_) && !like_last_gap;
    // A clock put back makes a pause below 0: it tells nothing of the spacing.
    if (!pause.gap) spacing_ = std::max<std::int64_t>(pause.seconds, 0);
    last_gap_ = pause.gap ? pause.seconds : 0;
  }
  any_ = true;
  last_utc_ = utc;
  return pause;
}

}  // namespace quorvane::journal
