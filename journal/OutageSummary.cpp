#include "journal/OutageSummary.h"

#include <algorithm>

#include "journal/Journal.h"

namespace quorvane::journal {
void JournalOutages::Add(const Outage& outage) {
  outages.push_back(outage);
  CauseTotals& totals = by_cause[static_cast<std::size_t>(CauseIndex(outage.cause))];
  ++totals.count;
  totals.total_seconds += outage.Seconds();
  totals.longest_seconds = std::max(totals.longest_seconds, outage.Seconds());
}

JournalOutages GatherOutages(const std::filesystem::path& folder, std::int64_t from,
                             std::int64_t to) {
  JournalOutages result;
  OutageFinder finder;
  result.rtt.SetSpan(from, to);
  // The value texts are not needed for outages.
  const ReadOutcome outcome = ReadJournalBatches(
      folder, RecordParts{.value = false}, [&](std::span<const JournalRecord> batch) {
        for (const JournalRecord& record : batch) {
          if (record.utc < from || record.utc > to) continue;
          ++result.records;
          if (record.cause != Cause::kNone && record.cause != Cause::kWifi) ++result.probed_records;
          for (const Outage& outage : finder.Add(record.utc, record.cause, record.offset))
            result.Add(outage);
          result.rtt.Add(record.utc, record.router, record.internet);
          result.links.Add(record);
        }
      });
  for (const Outage& outage : finder.Finish()) result.Add(outage);
  result.links.Finish();
  result.damaged_lines = outcome.damaged_lines;
  return result;
}

}  // namespace quorvane::journal
