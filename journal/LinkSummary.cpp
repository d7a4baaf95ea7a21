#include "journal/LinkSummary.h"

#include <algorithm>

namespace quorvane::journal {

void LinkSummary::CountTimeOfLastRecord(std::int64_t record_seconds) {
  // A clock put back makes a pause below 0: no time.
  record_seconds = std::max<std::int64_t>(record_seconds, 0);
  seconds += record_seconds;
  if (last_row_ != kNoRow) access_points.AddSeconds(last_row_, record_seconds);
}

void LinkSummary::Add(const JournalRecord& record) {
  const GapRule::Pause pause = gaps_.Add(record.utc);
  if (any_) CountTimeOfLastRecord(pause.gap ? gaps_.spacing() : pause.seconds);
  any_ = true;
  last_row_ = kNoRow;
  if (!IsKnownLink(record.connected, record.link)) return;
  ++known_records;
  last_row_ = access_points.Add(record.link);
  if (auto change = finder_.Add(record.utc, record.offset, record.connected, record.link)) {
    ++counts[static_cast<std::size_t>(change->kind)];
    changes.push_back(std::move(*change));
  }
}

void LinkSummary::Finish() {
  if (any_) CountTimeOfLastRecord(gaps_.spacing());
  any_ = false;
  last_row_ = kNoRow;
}

}  // namespace quorvane::journal
