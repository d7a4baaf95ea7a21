#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvane {

struct IntervalChoice {
  std::string_view caption;
  std::int32_t seconds;
};

// The choices of the interval list, in list order; the stored index is the
// position counted from 1.
inline constexpr std::array<IntervalChoice, 12> kIntervalTable{{
    {"Log every 1 second", 1},
    {"Log every 5 seconds", 5},
    {"Log every 10 seconds", 10},
    {"Log every 30 seconds", 30},
    {"Log every 1 minute", 60},
    {"Log every 5 minutes", 300},
    {"Log every 10 minutes", 600},
    {"Log every 30 minutes", 1800},
    {"Log every 1 hour", 3600},
    {"Log every 6 hours", 21600},
    {"Log every 12 hours", 43200},
    {"Log every 24 hours", 86400},
}};

inline constexpr int kDefaultIntervalIndex = 2;  // "Log every 5 seconds"

// The seconds of the choice with exactly this caption; 0 when none matches.
std::int32_t IntervalSeconds(std::string_view caption);

// Whether a stored index names a row of the table.
constexpr bool IsIntervalIndex(int index) {
  return index >= 1 && index <= static_cast<int>(kIntervalTable.size());
}

}  // namespace quorvane
