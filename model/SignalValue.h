#pragma once

#include <optional>
#include <string_view>

#include "model/Method.h"

namespace quorvane {

// What a reader reports when there is nothing to measure.
inline constexpr std::string_view kNoConnectionPercent = "0% (no connection)";  // Method #1
inline constexpr std::string_view kNoConnectionLevel = "0 (no connection)";     // Method #2

// What a value text says, read once by the sampler: everything past it (the
// journal, the notifications, the metrics) takes the sample from here, and the
// text only goes to the log and the list.
struct SignalSample {
  Method method = Method::kWirelessTool;
  // The percentage (Method #1) or the level 0 to 5 (Method #2); none when the
  // text gives no number in its method's form (a wireless tool's stray output).
  std::optional<int> value;
  bool connected = true;  // false only for "(no connection)"
};

// The sample a value text of `method` tells: "70%", " 5%", "100%" and
// "0% (no connection)" for Method #1, "0" to "5" and "0 (no connection)" for
// Method #2.
SignalSample SampleOf(Method method, std::string_view value_text);

// A sample below the weak threshold is a weak signal; below the poor one, a poor
// signal. Method #1 in percent, Method #2 in levels.
inline int WeakThreshold(Method method) { return method == Method::kWirelessTool ? 50 : 2; }
inline int PoorThreshold(Method method) { return method == Method::kWirelessTool ? 30 : 1; }

}  // namespace quorvane
