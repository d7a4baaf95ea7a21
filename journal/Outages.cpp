#include "journal/Outages.h"

namespace quorvane::journal {

std::vector<Outage> OutageFinder::Add(std::int64_t utc, Cause cause) {
  std::vector<Outage> ended;
  const bool pause = any_ && utc - last_utc_ > longest_pause_;
  if (open_ && (pause || cause != current_.cause)) {
    current_.end = pause ? last_utc_ : utc;
    ended.push_back(current_);
    open_ = false;
  }
  if (!open_ && IsOutageCause(cause)) {
    current_ = Outage{utc, utc, cause};
    open_ = true;
  }
  any_ = true;
  last_utc_ = utc;
  return ended;
}

std::vector<Outage> OutageFinder::Finish() {
  std::vector<Outage> ended;
  if (open_) {
    current_.end = last_utc_;
    ended.push_back(current_);
    open_ = false;
  }
  return ended;
}

}  // namespace quorvane::journal
