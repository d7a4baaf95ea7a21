#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Cause.h"
#include "model/LinkContext.h"
#include "model/Method.h"

namespace quorvane::journal {

// One sample as the journal keeps it.
struct JournalRecord {
  std::int64_t utc = 0;     // seconds since 1970 UTC
  std::int32_t offset = 0;  // the local time's offset east of UTC, seconds
  Method method = Method::kWirelessTool;
  std::string value;  // the value text of the history line
  bool connected = true;
  ProbeResult router;
  ProbeResult internet;
  Cause cause = Cause::kNone;
  LinkContext link;
};

// The "link" column of a context the system refused for want of location permission.
inline constexpr std::string_view kLinkUnavailableLocation = "unavailable (location)";
// The "link" column of a context the system refused otherwise.
inline constexpr std::string_view kLinkUnavailableAccessDenied = "unavailable (access denied)";

// The columns this build writes, in order. Readers take columns by name, so
// columns added later, or in another order, do not disturb them.
const std::vector<std::string_view>& RecordColumns();
// The header row: the column names separated by commas.
const std::string& HeaderRow();
// One CSV row in the order of RecordColumns, without a line end.
std::string FormatRecord(const JournalRecord& record);

// A round-trip time as the journal keeps it: whole thousandths of a millisecond,
// written with three decimals ("12.345"), the same in every locale. The writer
// needs room for 25 characters.
std::int64_t MillisecondThousandths(double ms);
char* WriteMilliseconds(char* out, std::int64_t thousandths);

// "2026-12-08T14:03:11+01:00".
std::string IsoTimeText(std::int64_t utc, std::int32_t offset);
// The UTC seconds and offset of such a text (or one ending in "Z"); none when it
// is not one.
std::optional<std::pair<std::int64_t, std::int32_t>> ParseIsoTime(std::string_view text);

// The date and zone of the last time read, which the next rows of a file mostly
// share: only their clock time is read then.
class IsoTimeMemo {
 public:
  std::optional<std::pair<std::int64_t, std::int32_t>> Parse(std::string_view text);

 private:
  std::array<char, 25> text_{};  // the last time read: its date and zone are known
  std::size_t size_ = 0;         // 0 while none is
  std::int64_t midnight_utc_ = 0;
  std::int32_t offset_ = 0;
};

// The offset east of UTC of a local wall-clock time (seconds since 1970 read as
// if UTC) taken at `utc`, rounded to whole minutes; 0 when the two are further
// apart than any time zone.
std::int32_t OffsetOf(std::int64_t wall, std::int64_t utc);

// The columns this build reads, in the order of RecordColumns.
enum class Column {
  kTime,
  kMethod,
  kValue,
  kConnected,
  kRouter,
  kRouterRtt,
  kInternet,
  kInternetRtt,
  kCause,
  kSsid,
  kBssid,
  kFrequencyMhz,
  kBand,
  kChannel,
  kSignalDbm,
  kBitrateMbps,
  kLink,
  kCount  // not a column: how many there are
};
// How many columns this build reads.
inline constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::kCount);

// One row's fields by Column: "" where the row or its header lacks the column.
using RecordFields = std::array<std::string_view, kColumnCount>;

// What a reader wants of a row beyond what every reader checks (its time, method,
// connected, probe and cause fields): a reader that leaves a part out gets it empty.
struct RecordParts {
  bool value = true;
  bool link = true;
};

// Where a header row puts each column this build reads, so rows are read by name.
class ColumnIndex {
 public:
  explicit ColumnIndex(const std::vector<std::string_view>& header);
  // The field of the column, "" when the row or the header lacks it.
  std::string_view Field(const std::vector<std::string_view>& row, Column column) const {
    const std::size_t at = positions_[static_cast<std::size_t>(column)];
    return at < row.size() ? row[at] : std::string_view();
  }
  bool Has(Column column) const {
    return positions_[static_cast<std::size_t>(column)] != std::string_view::npos;
  }
  // The fields of a split row.
  RecordFields Fields(const std::vector<std::string_view>& row) const;
  // The fields read straight from a row's text, as views of it, and how many the row
  // has. False when the row holds a quote: it wants SplitRow.
  bool FieldsOfText(std::string_view row, RecordFields& fields, std::size_t& count) const;
  // Whether a row of `count` fields is whole: as many as the header names or, under an
  // earlier build's shorter header, up to as many as this build writes. Any other
  // count is a row cut or joined by hand, whose fields cannot be trusted to their columns.
  bool FitsHeader(std::size_t count) const {
    return count >= fewest_fields_ && count <= most_fields_;
  }

 private:
  std::array<std::size_t, kColumnCount> positions_;
  std::size_t fewest_fields_ = 0;
  std::size_t most_fields_ = 0;
  // Per position up to the last one read: its column's index, or -1.
  std::vector<std::int8_t> column_at_;
};

// A row read back by its fields into `record`; false when its time, method,
// connected or probe fields are not ones this build writes. A link field that
// cannot be read is left out of the record's context rather than losing the row.
bool ParseRecord(const RecordFields& fields, JournalRecord& record, RecordParts parts,
                 IsoTimeMemo& times);
bool ParseRecord(const ColumnIndex& columns, const std::vector<std::string_view>& row,
                 JournalRecord& record);

}  // namespace quorvane::journal
