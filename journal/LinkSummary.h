#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "journal/AccessPoints.h"
#include "journal/Gaps.h"
#include "journal/JournalRecord.h"
#include "journal/LinkChanges.h"

namespace quorvane::journal {

// The wireless link over a stretch of the journal: the access points and the
// changes between them.
//
// Each record stands for the time until the next one; before a gap (GapRule) and
// after the last record, for the samples' spacing instead, so that a computer
// asleep or Quorvane not running counts for no access point. The access points'
// seconds and `seconds` are that time, over the records known and all records.
struct LinkSummary {
  std::uint64_t known_records = 0;  // that told their access point
  std::int64_t seconds = 0;         // the time all the records stand for
  AccessPointTable access_points;
  std::vector<LinkChange> changes;  // in time order
  std::array<std::uint64_t, kLinkChangeKinds> counts{};

  // Every record of the stretch, known or not, in the journal's order.
  void Add(const JournalRecord& record);
  // After the last record: counts the time it stands for.
  void Finish();
  std::uint64_t Count(LinkChangeKind kind) const { return counts[static_cast<std::size_t>(kind)]; }

 private:
  void CountTimeOfLastRecord(std::int64_t seconds);

  static constexpr std::size_t kNoRow = SIZE_MAX;
  LinkChangeFinder finder_;
  GapRule gaps_;
  bool any_ = false;
  std::size_t last_row_ = kNoRow;  // the access point of the last record
};

}  // namespace quorvane::journal
