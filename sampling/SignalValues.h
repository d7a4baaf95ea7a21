#pragma once

#include <string>
#include <string_view>

#include "platform/LinkContext.h"

namespace quorvane {

// What a reader reports when there is nothing to measure.
inline constexpr std::string_view kNoConnectionPercent = "0% (no connection)";  // Method #1
inline constexpr std::string_view kNoConnectionLevel = "0 (no connection)";     // Method #2

// One reading: the value text of the history line, and whether the system refused
// the reading because desktop programs lack location permission (the wireless tool
// then says "0% (no connection)", and Method #2 what the connection test says).
struct SignalReading {
  std::string value_text;
  bool location_refused = false;
  LinkContext link{};  // the link the signal was read on
};

}  // namespace quorvane
