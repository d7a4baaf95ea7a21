#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "journal/LinkSummary.h"
#include "journal/Outages.h"
#include "journal/RttGrid.h"

namespace quorvane::journal {

struct CauseTotals {
  std::uint64_t count = 0;
  std::int64_t total_seconds = 0;
  std::int64_t longest_seconds = 0;
};

// The outages of the journal over a stretch of time, for the report.
struct JournalOutages {
  std::uint64_t records = 0;         // in the stretch
  std::uint64_t probed_records = 0;  // of those, with the probes on
  // Of the whole journal, not of the stretch: a damaged row tells no time.
  std::uint64_t damaged_lines = 0;
  std::vector<Outage> outages;            // in time order
  std::array<CauseTotals, 3> by_cause{};  // wifi, router, internet
  RttGrid rtt;                            // the probes' round-trip times over the stretch
  LinkSummary links;                      // the access points and the link's changes

  static int CauseIndex(Cause cause) {
    return cause == Cause::kWifi ? 0 : cause == Cause::kRouter ? 1 : 2;
  }
  void Add(const Outage& outage);
};

inline constexpr std::array<Cause, 3> kOutageCauses = {Cause::kWifi, Cause::kRouter,
                                                       Cause::kInternet};

// Reads the journal in `folder` for the records from `from` to `to` (UTC seconds)
// and finds their outages. A missing folder gives no records. Throws AppError when
// a file cannot be read.
JournalOutages GatherOutages(const std::filesystem::path& folder, std::int64_t from,
                             std::int64_t to);

}  // namespace quorvane::journal
