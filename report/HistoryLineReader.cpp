#include "report/HistoryLineReader.h"

#include <cstdint>
#include <cstring>

namespace quorvane::report {
namespace {

constexpr std::string_view kMarker = " WiFi Signal Strength is ";
constexpr std::string_view kNoConnection = " (no connection)";

// Whether `text` at `at` holds the 25 bytes of kMarker: three 8-byte words and a byte.
bool MarkerAt(const char* at) {
  static_assert(kMarker.size() == 25);
  std::uint64_t a[3], b[3];
  std::memcpy(a, at, 24);
  std::memcpy(b, kMarker.data(), 24);
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && at[24] == kMarker[24];
}

// Where " WiFi Signal Strength is " starts, or npos. The value texts are 1, 2, 3,
// 4, 17 or 18 characters long, so the marker is looked for only where they would
// begin, from the line's end.
std::size_t FindMarker(std::string_view line) {
  const char last = line.empty() ? '\0' : line.back();
  const std::size_t* lengths;
  static constexpr std::size_t kPercent[] = {3, 4, 2, 0};
  static constexpr std::size_t kLevel[] = {1, 0};
  static constexpr std::size_t kNone[] = {18, 17, 0};
  if (last == '%') {
    lengths = kPercent;
  } else if (last == ')') {
    lengths = kNone;
  } else {
    lengths = kLevel;
  }
  for (; *lengths != 0; ++lengths) {
    const std::size_t length = *lengths + kMarker.size();
    if (line.size() > length && MarkerAt(line.data() + line.size() - length))
      return line.size() - length;
  }
  return std::string_view::npos;
}

// The value texts of both readers: " 5%", "70%", "100%", "0% (no connection)",
// "3", "0 (no connection)"; also "5%", as a log not written by Quorvane may hold.
bool ReadValue(std::string_view text, LineReading& sample) {
  if (text.empty()) return false;
  std::size_t pos = text[0] == ' ' ? 1 : 0;  // a blank before a single-digit percentage
  int value = 0;
  std::size_t digits = 0;
  while (pos < text.size() && digits < 4 && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos++] - '0');
    ++digits;
  }
  if (digits == 0) return false;
  if (pos < text.size() && text[pos] == '%') {
    ++pos;
    // Quorvane puts a blank before a single digit; only there may one be.
    if (value > 100 || (text[0] == ' ' && digits != 1)) return false;
    sample.method = Method::kWirelessTool;
  } else {
    if (text[0] == ' ' || digits != 1 || value > 5) return false;
    sample.method = Method::kSignalStrength;
  }
  sample.value = static_cast<std::uint8_t>(value);
  sample.connected = pos == text.size();
  if (sample.connected) return true;
  return value == 0 && text.substr(pos) == kNoConnection;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ReadHistoryLine(std::string_view line, const DateTimeReader& reader, LineReading& sample,
                     OrderHint& hint) {
  hint = OrderHint::kNone;
  const std::size_t marker = FindMarker(line);
  if (marker == std::string_view::npos) return false;
  if (!ReadValue(line.substr(marker + kMarker.size()), sample)) return false;
  if (!reader.Read(line.substr(0, marker), sample.local, hint)) return false;
  return true;
}

const char* ReadUsualHistoryLine(const char* start, const char* end, const DateTimeReader& reader,
                                 LineReading& sample, OrderHint& hint) {
  const std::size_t time_end = reader.ReadUsualLineStart(
      std::string_view(start, static_cast<std::size_t>(end - start)), sample.local, hint);
  // The marker, then at least "3" and a line end.
  if (time_end == 0 || end - start < static_cast<std::ptrdiff_t>(time_end + kMarker.size() + 2) ||
      !MarkerAt(start + time_end))
    return nullptr;
  const char* value = start + time_end + kMarker.size();
  const char* value_end;
  if (value[0] >= '0' && value[0] <= '5' && (value[1] == '\n' || value[1] == '\r')) {
    sample.method = Method::kSignalStrength;
    sample.value = static_cast<std::uint8_t>(value[0] - '0');
    value_end = value + 1;
  } else if (end - value >= 4 && value[2] == '%' && IsDigit(value[1]) &&
             (value[0] == ' ' || IsDigit(value[0]))) {  // "70%", " 5%"
    sample.method = Method::kWirelessTool;
    sample.value =
        static_cast<std::uint8_t>((value[0] == ' ' ? 0 : (value[0] - '0') * 10) + (value[1] - '0'));
    value_end = value + 3;
  } else if (end - value >= 3 && IsDigit(value[0]) && value[1] == '%') {  // "5%"
    sample.method = Method::kWirelessTool;
    sample.value = static_cast<std::uint8_t>(value[0] - '0');
    value_end = value + 2;
  } else {
    return nullptr;  // "100%", a line without a connection, or no history line
  }
  sample.connected = true;
  if (value_end[0] == '\n') return value_end;
  return value_end[0] == '\r' && end - value_end >= 2 && value_end[1] == '\n' ? value_end : nullptr;
}

}  // namespace quorvane::report
