#pragma once

#include <string_view>

namespace quorvane {

// What a reader reports when there is nothing to measure.
inline constexpr std::string_view kNoConnectionPercent = "0% (no connection)";  // Method #1
inline constexpr std::string_view kNoConnectionLevel = "0 (no connection)";     // Method #2

}  // namespace quorvane
