#include "journal/LinkSummary.h"

namespace quorvane::journal {

void LinkSummary::Add(const JournalRecord& record) {
  if (!IsKnownLink(record.connected, record.link)) return;
  ++known_records;
  access_points.Add(record.link);
  if (auto change = finder_.Add(record.utc, record.offset, record.connected, record.link)) {
    ++counts[static_cast<std::size_t>(change->kind)];
    changes.push_back(std::move(*change));
  }
}

}  // namespace quorvane::journal
