#include <charconv>
#include <optional>
#include <vector>

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
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatSignalPercent(int percent) {
  if (percent >= 100) return "100%";
  if (percent <= 0) return " 0%";
  std::string text = std::to_string(percent) + "%";
  return percent < 10 ? " " + text : text;
}

std::string ParseNmcliSignal(std::string_view output) {
  std::optional<int> first;
  while (!output.empty()) {
    const auto end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const auto fields = SplitTerseFields(line);
    if (fields.size() < 2) continue;  // blank lines separate the devices
    const auto signal = ParsePercent(fields[1]);
    if (!signal) continue;
    if (fields[0] == "*") return FormatSignalPercent(*signal);
    if (!first) first = signal;
  }
  return first ? FormatSignalPercent(*first) : std::string(kNoConnectionPercent);
}

}  // namespace quorvane
