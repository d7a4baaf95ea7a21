#pragma once

#include <cstdint>
#include <string_view>

#include "base/LocalDateTime.h"
#include "model/Method.h"

namespace quorvane::report {

// What one history line says.
struct LineReading {
  LocalDateTime local;  // the time as the line tells it
  Method method = Method::kWirelessTool;
  std::uint8_t value = 0;  // 0 to 100 (percent) or 0 to 5 (level)
  bool connected = true;   // false only for "(no connection)"
};

// One readable line of the history log, in the log's order.
struct Sample {
  std::int64_t wall = 0;    // the local time read as if it were UTC, seconds since 1970
  std::int64_t utc = 0;     // seconds since 1970, from the local time and the line's order
  std::int32_t offset = 0;  // seconds east of UTC at that moment
  Method method = Method::kWirelessTool;
  std::uint8_t value = 0;
  bool connected = true;
  std::string_view text;  // the line without its line end, as stored (ANSI code page)

  int Hour() const { return static_cast<int>(((wall % 86400) + 86400) % 86400 / 3600); }
  std::int64_t Day() const { return (wall >= 0 ? wall : wall - 86399) / 86400; }
};

}  // namespace quorvane::report
