#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "journal/AccessPoints.h"
#include "journal/JournalRecord.h"
#include "journal/LinkChanges.h"

namespace quorvane::journal {

// The wireless link over a stretch of the journal: the access points and the
// changes between them.
struct LinkSummary {
  std::uint64_t known_records = 0;  // that told their access point
  AccessPointTable access_points;
  std::vector<LinkChange> changes;  // in time order
  std::array<std::uint64_t, kLinkChangeKinds> counts{};

  void Add(const JournalRecord& record);
  std::uint64_t Count(LinkChangeKind kind) const { return counts[static_cast<std::size_t>(kind)]; }

 private:
  LinkChangeFinder finder_;
};

}  // namespace quorvane::journal
