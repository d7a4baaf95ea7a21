#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

#include "base/Trim.h"
#include "sampling/SignalValues.h"
#include "sampling/WirelessOutput.h"

namespace quorvane {
namespace {

// Splits one terse line at the colons that are not escaped with a backslash, and
// removes the escapes from the fields.
std::vector<std::string> SplitTerseFields(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      fields.back() += line[++i];
    } else if (c == ':') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::optional<int> ParsePercent(std::string_view text) {
  text = Trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The number a field begins with, as in "5180 MHz" or "270 Mbit/s".
std::optional<int> LeadingNumber(std::string_view field) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc{} || value <= 0) return std::nullopt;
  return value;
}

// Hands the fields of each terse row to `visit` (at least two of them; blank lines
// separate the devices) until it returns false.
template <typename Visit>
void ForEachRow(std::string_view output, Visit visit) {
  while (!output.empty()) {
    const auto end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fields = SplitTerseFields(line);
    if (fields.size() >= 2 && !visit(fields)) return;
  }
}

// IN-USE, SIGNAL, SSID, BSSID, CHAN, FREQ, RATE.
constexpr std::size_t kLinkFields = 7;

}  // namespace

std::string FormatSignalPercent(int percent) {
  if (percent >= 100) return "100%";
  if (percent <= 0) return " 0%";
  std::string text = std::to_string(percent) + "%";
  return percent < 10 ? " " + text : text;
}

std::string ParseNmcliSignal(std::string_view output) {
  std::optional<int> first;
  std::optional<int> in_use;
  ForEachRow(output, [&](const std::vector<std::string>& fields) {
    const auto signal = ParsePercent(fields[1]);
    if (!signal) return true;
    if (fields[0] == "*") {
      in_use = signal;
      return false;
    }
    if (!first) first = signal;
    return true;
  });
  if (in_use) return FormatSignalPercent(*in_use);
  return first ? FormatSignalPercent(*first) : std::string(kNoConnectionPercent);
}

LinkContext ParseNmcliLink(std::string_view output) {
  LinkContext link;
  ForEachRow(output, [&](const std::vector<std::string>& fields) {
    if (fields[0] != "*" || fields.size() < kLinkFields) return true;
    link.status = LinkContext::Status::kKnown;
    link.ssid = fields[2];
    link.bssid = fields[3];
    for (char& c : link.bssid) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    link.channel = LeadingNumber(fields[4]).value_or(0);
    link.frequency_mhz = LeadingNumber(fields[5]).value_or(0);
    if (const auto mbps = LeadingNumber(fields[6])) link.bitrate_mbps = *mbps;
    return false;
  });
  return link;
}

}  // namespace quorvane
