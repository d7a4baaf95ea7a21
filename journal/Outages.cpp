#include "journal/Outages.h"

namespace quorvane::journal {

std::vector<Outage> OutageFinder::Add(std::int64_t utc, Cause cause, std::int32_t offset) {
  std::vector<Outage> ended;
  const bool pause = gaps_.Add(utc).gap;
  if (open_ && (pause || cause != current_.cause)) {
    current_.end = pause ? last_utc_ : utc;
    current_.end_offset = pause ? last_offset_ : offset;
    current_.spacing = gaps_.spacing();
    ended.push_back(current_);
    open_ = false;
  } else if (open_) {
    ++current_.samples;
  }
  if (!open_ && IsOutageCause(cause)) {
    current_ = Outage{utc, utc, cause, offset, offset};
    open_ = true;
  }
  last_utc_ = utc;
  last_offset_ = offset;
  return ended;
}

std::vector<Outage> OutageFinder::Finish() {
  std::vector<Outage> ended;
  if (open_) {
    current_.end = last_utc_;
    current_.end_offset = last_offset_;
    current_.spacing = gaps_.spacing();
    ended.push_back(current_);
    open_ = false;
  }
  return ended;
}

}  // namespace quorvane::journal
