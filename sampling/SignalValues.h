#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/LinkContext.h"

namespace quorvane {

enum class SignalMethod {
  kWirelessTool,    // "Method #1"
  kSignalStrength,  // "Method #2"
};

// What a reader reports when there is nothing to measure.
inline constexpr std::string_view kNoConnectionPercent = "0% (no connection)";  // Method #1
inline constexpr std::string_view kNoConnectionLevel = "0 (no connection)";     // Method #2

// What a value text says, read once by the sampler: everything past it (the
// journal, the notifications, the metrics) takes the sample from here, and the
// text only goes to the log and the list.
struct SignalSample {
  SignalMethod method = SignalMethod::kWirelessTool;
  // The percentage (Method #1) or the level 0 to 5 (Method #2); none when the
  // text gives no number in its method's form (a wireless tool's stray output).
  std::optional<int> value;
  bool connected = true;  // false only for "(no connection)"
};

// The sample a value text of `method` tells: "70%", " 5%", "100%" and
// "0% (no connection)" for Method #1, "0" to "5" and "0 (no connection)" for
// Method #2.
SignalSample SampleOf(SignalMethod method, std::string_view value_text);

// One reading: the value text of the history line, and whether the system refused
// the reading because desktop programs lack location permission (the wireless tool
// then says "0% (no connection)", and Method #2 what the connection test says).
struct SignalReading {
  std::string value_text;
  bool location_refused = false;
  LinkContext link{};     // the link the signal was read on
  SignalSample sample{};  // what the text says, once the sampler has read it
};

}  // namespace quorvane
