#include "journal/JournalRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "journal/CsvFields.h"
#include "report/CalendarMath.h"
#include "report/TimeText.h"
#include "sampling/RadioBand.h"

namespace quorvane::journal {
namespace {

constexpr std::int32_t kLargestOffset = 18 * 3600;  // beyond any time zone

// Digits only, no sign: "0412" → 412.
bool ParseDigits(std::string_view text, std::int64_t& number) {
  if (text.empty()) return false;
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

std::optional<ProbeResult> ParseProbe(const ColumnIndex& columns,
                                      const std::vector<std::string_view>& row, Column state,
                                      Column rtt) {
  const auto parsed = ProbeStateFromText(columns.Field(row, state));
  if (!parsed) return std::nullopt;
  ProbeResult result{*parsed, 0};
  const std::string_view rtt_text = columns.Field(row, rtt);
  if (!rtt_text.empty()) {
    const auto ms = ParseMilliseconds(rtt_text);
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
}

std::optional<int> ParseInt(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// The context's fields as written; one that does not read is left unknown.
LinkContext ParseLink(const ColumnIndex& columns, const std::vector<std::string_view>& row) {
  LinkContext link;
  link.ssid = SsidFromText(columns.Field(row, Column::kSsid));
  link.bssid = columns.Field(row, Column::kBssid);
  link.frequency_mhz = std::max(0, ParseInt(columns.Field(row, Column::kFrequencyMhz)).value_or(0));
  link.channel = std::max(0, ParseInt(columns.Field(row, Column::kChannel)).value_or(0));
  link.signal_dbm = ParseInt(columns.Field(row, Column::kSignalDbm));
  link.bitrate_mbps = ParseMilliseconds(columns.Field(row, Column::kBitrateMbps));  // same form
  if (columns.Field(row, Column::kLink) == kLinkUnavailableLocation) {
    link.status = LinkContext::Status::kUnavailableLocation;
  } else if (!link.ssid.empty() || !link.bssid.empty() || link.frequency_mhz > 0 ||
             link.channel > 0 || link.signal_dbm || link.bitrate_mbps) {
    link.status = LinkContext::Status::kKnown;
  }
  return link;
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
  row += record.method == 2 ? ",2," : ",1,";
  AppendField(row, record.value);
  row += record.connected ? ",yes" : ",no";
  AppendProbe(row, record.router);
  AppendProbe(row, record.internet);
  row += ',';
  row += CauseText(record.cause);
  AppendLink(row, record.link);
  return row;
}

std::string IsoTimeText(std::int64_t utc, std::int32_t offset) {
  return report::IsoTime(utc, offset);
}

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
  const std::int64_t wall = report::DaysFromCivil(static_cast<int>(year), static_cast<int>(month),
                                                  static_cast<int>(day)) *
                                86400 +
                            hour * 3600 + minute * 60 + second;
  return std::pair{wall - offset, offset};
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
    if (known != names.end()) positions_[static_cast<std::size_t>(known - names.begin())] = i;
  }
  // A month file begun by an earlier build keeps that build's shorter header when
  // this one appends to it; the rows appended carry the later columns in their
  // places, which would otherwise be lost on reading.
  if (!header.empty() && header.size() < names.size() &&
      std::equal(header.begin(), header.end(), names.begin()))
    for (std::size_t i = header.size(); i < names.size(); ++i) positions_[i] = i;
}

bool ParseRecord(const ColumnIndex& columns, const std::vector<std::string_view>& row,
                 JournalRecord& record) {
  const auto time = ParseIsoTime(columns.Field(row, Column::kTime));
  if (!time) return false;
  record.utc = time->first;
  record.offset = time->second;
  const std::string_view method = columns.Field(row, Column::kMethod);
  if (method != "1" && method != "2") return false;
  record.method = method == "2" ? 2 : 1;
  record.value = columns.Field(row, Column::kValue);
  const std::string_view connected = columns.Field(row, Column::kConnected);
  if (connected != "yes" && connected != "no") return false;
  record.connected = connected == "yes";
  const auto router = ParseProbe(columns, row, Column::kRouter, Column::kRouterRtt);
  const auto internet = ParseProbe(columns, row, Column::kInternet, Column::kInternetRtt);
  const auto cause = CauseFromText(columns.Field(row, Column::kCause));
  if (!router || !internet || !cause) return false;
  record.router = *router;
  record.internet = *internet;
  record.cause = *cause;
  record.link = ParseLink(columns, row);
  return true;
}

}  // namespace quorvane::journal
