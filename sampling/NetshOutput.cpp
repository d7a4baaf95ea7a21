#include "platform/AppError.h"
#include "sampling/SignalValues.h"
#include "sampling/WirelessOutput.h"

namespace quorvane {
namespace {

constexpr std::string_view kSignalLabel = "Signal";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineEnds = "\r\n";

// The position of the first "Signal" that begins a line's label, with nothing but
// blanks before it on its line; npos when there is none. A network's name that
// holds the word (on its "SSID 1 : ..." line) does not count. One pass over the text.
std::size_t FindSignalLabel(std::string_view output) {
  std::size_t line = 0;
  while (line < output.size()) {
    const auto label = output.find_first_not_of(kBlanks, line);
    if (label == std::string_view::npos) return std::string_view::npos;
    if (output.substr(label).starts_with(kSignalLabel)) return label;
    const auto end = output.find_first_of(kLineEnds, label);
    if (end == std::string_view::npos) return std::string_view::npos;
    line = end + 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ParseNetshSignal(std::string_view output) {
  const auto signal = FindSignalLabel(output);
  if (signal == std::string_view::npos) return std::string(kNoConnectionPercent);
  const auto window = output.substr(signal, 30);
  const auto percent = window.find('%');
  // The two characters in front of "%" must lie inside the window.
  if (percent == std::string_view::npos || percent < 2)
    throw AppError(error_text::kInvalidArgument);
  const auto value = window.substr(percent - 2, 3);
  if (value == "00%") return "100%";
  return std::string(value);
}

bool ShowsLocationRefusal(std::string_view output) {
  return output.find("ms-settings:privacy-location") != std::string_view::npos ||
         output.find("need location permission") != std::string_view::npos;
}

}  // namespace quorvane
