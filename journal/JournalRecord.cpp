#include "journal/JournalRecord.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/CalendarMath.h"
#include "base/TimeText.h"
#include "journal/CsvFields.h"
#include "model/RadioBand.h"
#include "model/SsidText.h"

namespace quorvane::journal {
namespace {

constexpr std::int32_t kLargestOffset = 18 * 3600;  // beyond any time zone

// Digits only, no sign: "0412" → 412.
bool ParseDigits(std::string_view text, std::int64_t& number) {
  if (text.empty()) return false;
  if (text.size() <= 18) {  // read digit by digit: never beyond the int64's range
    std::int64_t value = 0;
    for (const char c : text) {
      const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
      if (digit > 9) return false;
      value = value * 10 + digit;
    }
    number = value;
    return true;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && text.front() != '-' &&
         text.front() != '+';
}

void AppendMilliseconds(std::string& row, double ms) {
  char text[32];
  row.append(text, WriteMilliseconds(text, MillisecondThousandths(ms)));
}

std::optional<double> ParseMilliseconds(std::string_view text) {
  static constexpr double kTens[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  const std::size_t dot = text.find('.');
  std::int64_t whole = 0;
  if (!ParseDigits(text.substr(0, dot), whole)) return std::nullopt;
  if (dot == std::string_view::npos) return static_cast<double>(whole);
  const std::string_view decimals = text.substr(dot + 1);
  std::int64_t fraction = 0;
  if (decimals.size() >= std::size(kTens) || !ParseDigits(decimals, fraction)) return std::nullopt;
  return static_cast<double>(whole) + static_cast<double>(fraction) / kTens[decimals.size()];
}

void AppendProbe(std::string& row, const ProbeResult& result) {
  row += ',';
  AppendField(row, ProbeStateText(result.state));
  row += ',';
  if (result.state == ProbeState::kUp) AppendMilliseconds(row, result.rtt_ms);
}

std::optional<ProbeResult> ParseProbe(std::string_view state, std::string_view rtt) {
  const auto parsed = ProbeStateFromText(state);
  if (!parsed) return std::nullopt;
  ProbeResult result{*parsed, 0};
  if (!rtt.empty()) {
    const auto ms = ParseMilliseconds(rtt);
    if (!ms) return std::nullopt;
    result.rtt_ms = *ms;
  }
  return result;
}

void AppendNumber(std::string& row, std::int64_t number) {
  char text[24];
  row.append(text, std::to_chars(text, text + sizeof text, number).ptr);
}

// Mbit/s to a tenth, as the systems give them ("866.7", "54").
void AppendBitrate(std::string& row, double mbps) {
  const std::int64_t tenths = std::llround(std::max(0.0, mbps) * 10);
  AppendNumber(row, tenths / 10);
  if (tenths % 10 == 0) return;
  row += '.';
  row += static_cast<char>('0' + tenths % 10);
}

void AppendLink(std::string& row, const LinkContext& link) {
  row += ',';
  AppendField(row, SsidText(link.ssid));
  row += ',';
  AppendField(row, link.bssid);
  row += ',';
  if (link.frequency_mhz > 0) AppendNumber(row, link.frequency_mhz);
  row += ',';
  row += BandOf(link.frequency_mhz);
  row += ',';
  if (link.channel > 0) AppendNumber(row, link.channel);
  row += ',';
  if (link.signal_dbm) AppendNumber(row, *link.signal_dbm);
  row += ',';
  if (link.bitrate_mbps) AppendBitrate(row, *link.bitrate_mbps);
  row += ',';
  if (link.status == LinkContext::Status::kUnavailableLocation) row += kLinkUnavailableLocation;
  if (link.status == LinkContext::Status::kUnavailableAccessDenied)
    row += kLinkUnavailableAccessDenied;
}

std::optional<int> ParseInt(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// The context's fields as written; one that does not read is left unknown.
LinkContext ParseLink(const RecordFields& fields) {
  auto field = [&](Column column) { return fields[static_cast<std::size_t>(column)]; };
  LinkContext link;
  link.ssid = SsidFromText(field(Column::kSsid));
  link.bssid = field(Column::kBssid);
  link.frequency_mhz = std::max(0, ParseInt(field(Column::kFrequencyMhz)).value_or(0));
  link.channel = std::max(0, ParseInt(field(Column::kChannel)).value_or(0));
  link.signal_dbm = ParseInt(field(Column::kSignalDbm));
  link.bitrate_mbps = ParseMilliseconds(field(Column::kBitrateMbps));  // same form
  if (field(Column::kLink) == kLinkUnavailableLocation) {
    link.status = LinkContext::Status::kUnavailableLocation;
  } else if (field(Column::kLink) == kLinkUnavailableAccessDenied) {
    link.status = LinkContext::Status::kUnavailableAccessDenied;
  } else if (!link.ssid.empty() || !link.bssid.empty() || link.frequency_mhz > 0 ||
             link.channel > 0 || link.signal_dbm || link.bitrate_mbps) {
    link.status = LinkContext::Status::kKnown;
  }
  return link;
}

// The first comma from `at`, or `end`: eight bytes at a time, as a row's fields
// are read for every record.
const char* FindComma(const char* at, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  // The lowest byte found is a comma for sure; the bytes above it may not be.
  constexpr bool kLowestFirst = std::endian::native == std::endian::little;
  for (; kLowestFirst && end - at >= 8; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    word ^= kOnes * ',';  // a comma's byte becomes zero
    const std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
    if (zeros != 0) return at + std::countr_zero(zeros) / 8;
  }
  while (at < end && *at != ',') ++at;
  return at;
}

}  // namespace

std::int64_t MillisecondThousandths(double ms) { return std::llround(std::max(0.0, ms) * 1000); }

char* WriteMilliseconds(char* out, std::int64_t thousandths) {
  out = std::to_chars(out, out + 20, thousandths / 1000).ptr;
  const int fraction = static_cast<int>(thousandths % 1000);
  *out++ = '.';
  *out++ = static_cast<char>('0' + fraction / 100);
  *out++ = static_cast<char>('0' + fraction / 10 % 10);
  *out++ = static_cast<char>('0' + fraction % 10);
  return out;
}

const std::vector<std::string_view>& RecordColumns() {
  static const std::vector<std::string_view> columns = {
      "time", "method", "value", "connected", "router", "router_rtt_ms", "internet",
      "internet_rtt_ms", "cause",
      // The link's context.
      "ssid", "bssid", "frequency_mhz", "band", "channel", "signal_dbm", "bitrate_mbps", "link"};
  return columns;
}

const std::string& HeaderRow() {
  static const std::string row = [] {
    std::string names;
    for (const auto column : RecordColumns()) {
      if (!names.empty()) names += ',';
      names += column;
    }
    return names;
  }();
  return row;
}

std::string FormatRecord(const JournalRecord& record) {
  std::string row = IsoTimeText(record.utc, record.offset);
  row.reserve(160);
  row += record.method == Method::kSignalStrength ? ",2," : ",1,";
  AppendField(row, record.value);
  row += record.connected ? ",yes" : ",no";
  AppendProbe(row, record.router);
  AppendProbe(row, record.internet);
  row += ',';
  row += CauseText(record.cause);
  AppendLink(row, record.link);
  return row;
}

std::string IsoTimeText(std::int64_t utc, std::int32_t offset) { return IsoTime(utc, offset); }

std::optional<std::pair<std::int64_t, std::int32_t>> ParseIsoTime(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS followed by Z or ±HH:MM.
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  // Fixed widths: read digit by digit, as every record has its time.
  bool digits = true;
  auto number = [&](std::size_t at, std::size_t width) {
    std::int64_t value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
      const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
      digits = digits && digit <= 9;
      value = value * 10 + digit;
    }
    return value;
  };
  const std::int64_t year = number(0, 4), month = number(5, 2), day = number(8, 2),
                     hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  if (!digits) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
    return std::nullopt;
  std::int32_t offset = 0;
  const std::string_view zone = text.substr(19);
  if (zone != "Z") {
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':')
      return std::nullopt;
    const std::int64_t zone_hours = number(20, 2), zone_minutes = number(23, 2);
    if (!digits || zone_minutes > 59) return std::nullopt;
    offset = static_cast<std::int32_t>((zone_hours * 60 + zone_minutes) * 60);
    if (offset > kLargestOffset) return std::nullopt;
    if (zone[0] == '-') offset = -offset;
  }
  const std::int64_t wall =
      DaysFromCivil(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)) *
          86400 +
      hour * 3600 + minute * 60 + second;
  return std::pair{wall - offset, offset};
}

std::optional<std::pair<std::int64_t, std::int32_t>> IsoTimeMemo::Parse(std::string_view text) {
  constexpr std::size_t kClock = 11, kZone = 19;  // where "HH:MM:SS" and the zone begin
  if (size_ != 0 && text.size() == size_ && std::memcmp(text.data(), text_.data(), kClock) == 0 &&
      std::memcmp(text.data() + kZone, text_.data() + kZone, size_ - kZone) == 0 &&
      text[13] == ':' && text[16] == ':') {
    auto digit = [&](std::size_t at) {
      return static_cast<unsigned>(static_cast<unsigned char>(text[at])) - unsigned{'0'};
    };
    const unsigned hour_tens = digit(11), hour_ones = digit(12), minute_tens = digit(14),
                   minute_ones = digit(15), second_tens = digit(17), second_ones = digit(18);
    if (std::max({hour_tens, hour_ones, minute_tens, minute_ones, second_tens, second_ones}) > 9)
      return std::nullopt;
    const unsigned hour = hour_tens * 10 + hour_ones, minute = minute_tens * 10 + minute_ones,
                   second = second_tens * 10 + second_ones;
    if (hour > 23 || minute > 59 || second > 60) return std::nullopt;
    return std::pair{midnight_utc_ + hour * 3600 + minute * 60 + second, offset_};
  }
  const auto time = ParseIsoTime(text);
  if (time && text.size() <= text_.size()) {
    std::memcpy(text_.data(), text.data(), text.size());
    size_ = text.size();
    offset_ = time->second;
    // The clock time read again, to keep the midnight of its date in its zone.
    const auto* clock = text.data() + kClock;
    const std::int64_t since_midnight = ((clock[0] - '0') * 10 + (clock[1] - '0')) * 3600 +
                                        ((clock[3] - '0') * 10 + (clock[4] - '0')) * 60 +
                                        (clock[6] - '0') * 10 + (clock[7] - '0');
    midnight_utc_ = time->first - since_midnight;
  }
  return time;
}

std::int32_t OffsetOf(std::int64_t wall, std::int64_t utc) {
  const std::int64_t difference = wall - utc;
  if (difference > kLargestOffset || difference < -kLargestOffset) return 0;
  // The two readings may straddle a second; zones are whole minutes.
  return static_cast<std::int32_t>(std::llround(static_cast<double>(difference) / 60.0) * 60);
}

ColumnIndex::ColumnIndex(const std::vector<std::string_view>& header) {
  positions_.fill(std::string_view::npos);
  const auto& names = RecordColumns();
  for (std::size_t i = header.size(); i-- > 0;) {  // the first of a name given twice
    const auto known = std::find(names.begin(), names.end(), header[i]);
    const auto column = static_cast<std::size_t>(known - names.begin());
    if (column < kColumnCount) positions_[column] = i;
  }
  // A month file begun by an earlier build keeps that build's shorter header when
  // this one appends to it; the rows appended carry the later columns in their
  // places, which would otherwise be lost on reading.
  fewest_fields_ = most_fields_ = header.size();
  if (!header.empty() && header.size() < names.size() &&
      std::equal(header.begin(), header.end(), names.begin())) {
    for (std::size_t i = header.size(); i < names.size(); ++i) positions_[i] = i;
    most_fields_ = names.size();
  }
  for (std::size_t column = 0; column < kColumnCount; ++column) {
    const std::size_t at = positions_[column];
    if (at == std::string_view::npos) continue;
    if (at >= column_at_.size()) column_at_.resize(at + 1, -1);
    column_at_[at] = static_cast<std::int8_t>(column);
  }
}

RecordFields ColumnIndex::Fields(const std::vector<std::string_view>& row) const {
  RecordFields fields;
  for (std::size_t column = 0; column < kColumnCount; ++column)
    fields[column] = Field(row, static_cast<Column>(column));
  return fields;
}

bool ColumnIndex::FieldsOfText(std::string_view row, RecordFields& fields,
                               std::size_t& count) const {
  fields.fill(std::string_view());
  const char* at = row.data();
  const char* const end = at + row.size();
  count = 0;
  for (const std::int8_t column : column_at_) {
    if (at < end && *at == '"') return false;
    const char* const comma = FindComma(at, end);
    if (column >= 0)
      fields[static_cast<std::size_t>(column)] =
          std::string_view(at, static_cast<std::size_t>(comma - at));
    ++count;
    if (comma == end) return true;  // the row ends before the columns after it
    at = comma + 1;
  }
  // A quoted field among the columns not read may hold commas or be left open.
  if (std::memchr(at, '"', static_cast<std::size_t>(end - at)) != nullptr) return false;
  for (;;) {  // the fields not read are counted all the same
    ++count;
    const char* const comma = FindComma(at, end);
    if (comma == end) return true;
    at = comma + 1;
  }
}

bool ParseRecord(const RecordFields& fields, JournalRecord& record, RecordParts parts,
                 IsoTimeMemo& times) {
  auto field = [&](Column column) { return fields[static_cast<std::size_t>(column)]; };
  const auto time = times.Parse(field(Column::kTime));
  if (!time) return false;
  record.utc = time->first;
  record.offset = time->second;
  const auto method = MethodFromNumber(field(Column::kMethod));
  if (!method) return false;
  record.method = *method;
  if (parts.value) record.value = field(Column::kValue);
  const std::string_view connected = field(Column::kConnected);
  if (connected != "yes" && connected != "no") return false;
  record.connected = connected == "yes";
  const auto router = ParseProbe(field(Column::kRouter), field(Column::kRouterRtt));
  const auto internet = ParseProbe(field(Column::kInternet), field(Column::kInternetRtt));
  const auto cause = CauseFromText(field(Column::kCause));
  if (!router || !internet || !cause) return false;
  record.router = *router;
  record.internet = *internet;
  record.cause = *cause;
  if (parts.link) record.link = ParseLink(fields);
  return true;
}

bool ParseRecord(const ColumnIndex& columns, const std::vector<std::string_view>& row,
                 JournalRecord& record) {
  IsoTimeMemo times;
  return ParseRecord(columns.Fields(row), record, RecordParts{}, times);
}

}  // namespace quorvane::journal
