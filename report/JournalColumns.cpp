#include "report/JournalColumns.h"

#include <algorithm>
#include <cstring>

#include "journal/Journal.h"

namespace quorvane::report {
namespace {

constexpr std::string_view kHeaderFields = ",router,router_rtt_ms,internet,internet_rtt_ms,cause";

char* WriteText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

const std::string& JournalColumns::HeaderFields() {
  static const std::string fields = std::string(kHeaderFields) += LinkColumns::HeaderFields();
  return fields;
}

std::unique_ptr<JournalColumns> JournalColumns::Load(const std::filesystem::path& folder) {
  auto columns = std::make_unique<JournalColumns>();
  // A round-trip time kept to 33 seconds, far beyond the probes' time limit.
  auto pack = [](const ProbeResult& probe) {
    const auto rtt =
        std::min<std::int64_t>(journal::MillisecondThousandths(probe.rtt_ms), kRttMask);
    return static_cast<std::uint32_t>(probe.state) << kStateShift | static_cast<std::uint32_t>(rtt);
  };
  // Room for the shortest rows the files can hold (about 40 bytes), reserved, not
  // touched: what the records do not fill never takes memory.
  std::uintmax_t bytes = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error))
    bytes += it->is_regular_file(error) ? it->file_size(error) : 0;
  columns->entries_.reserve(static_cast<std::size_t>(bytes / 40));
  try {
    journal::ReadJournalBatches(
        folder, journal::RecordParts{.value = false},
        [&](std::span<const journal::JournalRecord> batch) {
          for (const journal::JournalRecord& record : batch) {
            columns->links_.Add(columns->entries_.size(), record.link);
            columns->entries_.push_back(
                {record.utc, pack(record.router),
                 pack(record.internet) | static_cast<std::uint32_t>(record.cause) << kCauseShift});
          }
        });
  } catch (const std::exception&) {
    // What was read before the fault still stands.
  }
  if (columns->entries_.empty()) return nullptr;
  // Month files are read in order, so this is nearly always sorted already; the
  // first record of a second taken twice is the one found.
  const auto earlier = [](const Entry& a, const Entry& b) { return a.utc < b.utc; };
  if (!std::is_sorted(columns->entries_.begin(), columns->entries_.end(), earlier)) {
    std::vector<std::uint32_t> order(columns->entries_.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return columns->entries_[a].utc < columns->entries_[b].utc;
    });
    std::vector<Entry> sorted;
    sorted.reserve(order.size());
    for (const std::uint32_t from : order) sorted.push_back(columns->entries_[from]);
    columns->entries_ = std::move(sorted);
    columns->links_.Reorder(order);
  }
  return columns;
}

char* JournalColumns::Cursor::WriteFields(char* out, std::int64_t utc) {
  const std::vector<Entry>& entries = columns_.entries_;
  // A few steps forward from the line before, else a search.
  constexpr std::size_t kSteps = 4;
  std::size_t steps = 0;
  if (at_ > entries.size() || (at_ > 0 && entries[at_ - 1].utc >= utc)) steps = kSteps;
  while (steps < kSteps && at_ < entries.size() && entries[at_].utc < utc) {
    ++at_;
    ++steps;
  }
  if (steps == kSteps)
    at_ = static_cast<std::size_t>(
        std::lower_bound(entries.begin(), entries.end(), utc,
                         [](const Entry& entry, std::int64_t time) { return entry.utc < time; }) -
        entries.begin());
  if (at_ == entries.size() || entries[at_].utc != utc)
    return LinkColumns::WriteEmptyFields(WriteText(out, ",,,,,"));
  const Entry& entry = entries[at_];
  auto write_probe = [&](std::uint32_t packed) {
    const auto state = static_cast<ProbeState>(packed >> kStateShift);
    *out++ = ',';
    out = WriteText(out, ProbeStateText(state));
    *out++ = ',';
    if (state == ProbeState::kUp) out = journal::WriteMilliseconds(out, packed & kRttMask);
  };
  write_probe(entry.router);
  write_probe(entry.internet & ~(7u << kCauseShift));
  *out++ = ',';
  out = WriteText(out, CauseText(static_cast<Cause>(entry.internet >> kCauseShift & 7)));
  return columns_.links_.WriteFields(out, at_);
}

}  // namespace quorvane::report
