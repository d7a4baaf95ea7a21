#include "platform/AppError.h"
#include "sampling/SignalValues.h"
#include "sampling/WirelessOutput.h"

namespace quorvane {

std::string ParseNetshSignal(std::string_view output) {
  const auto signal = output.find("Signal");
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
