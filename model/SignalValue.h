#pragma once

#include <string_view>

#include "model/Method.h"

namespace quorvane {

// What a reader reports when there is nothing to measure.
inline constexpr std::string_view kNoConnectionPercent = "0% (no connection)";  // Method #1
inline constexpr std::string_view kNoConnectionLevel = "0 (no connection)";     // Method #2

// A sample below the weak threshold is a weak signal; below the poor one, a poor
// signal. Method #1 in percent, Method #2 in levels.
inline int WeakThreshold(Method method) { return method == Method::kWirelessTool ? 50 : 2; }
inline int PoorThreshold(Method method) { return method == Method::kWirelessTool ? 30 : 1; }

}  // namespace quorvane
