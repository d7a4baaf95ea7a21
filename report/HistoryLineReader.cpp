#include "report/HistoryLineReader.h"

#include <cstring>

namespace quorvane::report {
namespace {

constexpr std::string_view kMarker = " WiFi Signal Strength is ";
constexpr std::string_view kNoConnection = " (no connection)";

// Where " WiFi Signal Strength is " starts, or npos.
std::size_t FindMarker(std::string_view line) {
  std::size_t from = 1;
  while (from < line.size()) {
    const void* found = std::memchr(line.data() + from, 'W', line.size() - from);
    if (!found) return std::string_view::npos;
    const std::size_t at = static_cast<const char*>(found) - line.data();
    if (line.substr(at - 1, kMarker.size()) == kMarker) return at - 1;
    from = at + 1;
  }
  return std::string_view::npos;
}

// The value texts of both readers: " 5%", "70%", "100%", "0% (no connection)",
// "3", "0 (no connection)".
bool ReadValue(std::string_view text, Sample& sample) {
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
    // A single digit has a blank before it, but for "0% (no connection)".
    const bool blank_needed = digits == 1 && text.substr(pos) != kNoConnection;
    if (value > 100 || (text[0] == ' ') != blank_needed) return false;
    sample.method = Method::kPercent;
  } else {
    if (text[0] == ' ' || digits != 1 || value > 5) return false;
    sample.method = Method::kLevel;
  }
  sample.value = static_cast<std::uint8_t>(value);
  sample.connected = pos == text.size();
  if (sample.connected) return true;
  return value == 0 && text.substr(pos) == kNoConnection;
}

}  // namespace

bool ReadHistoryLine(std::string_view line, const DateTimeReader& reader, Sample& sample,
                     OrderHint& hint) {
  hint = OrderHint::kNone;
  const std::size_t marker = FindMarker(line);
  if (marker == std::string_view::npos) return false;
  if (!ReadValue(line.substr(marker + kMarker.size()), sample)) return false;
  if (!reader.Read(line.substr(0, marker), sample.local, hint)) return false;
  sample.text = line;
  return true;
}

}  // namespace quorvane::report
