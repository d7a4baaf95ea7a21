#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Clock.h"

namespace quorvane::report {

// Which reader took a sample: Method #1 gives a percentage, Method #2 a level.
enum class Method : std::uint8_t { kPercent = 1, kLevel = 2 };

inline constexpr int kMethodCount = 2;
inline int MethodIndex(Method method) { return method == Method::kPercent ? 0 : 1; }
inline int MethodScale(Method method) { return method == Method::kPercent ? 100 : 5; }
inline const char* MethodName(Method method) {
  return method == Method::kPercent ? "Method #1" : "Method #2";
}

// What one history line says.
struct LineReading {
  LocalDateTime local;  // the time as the line tells it
  Method method = Method::kPercent;
  std::uint8_t value = 0;  // 0 to 100 (percent) or 0 to 5 (level)
  bool connected = true;   // false only for "(no connection)"
};

// One readable line of the history log, in the log's order.
struct Sample {
  std::int64_t wall = 0;    // the local time read as if it were UTC, seconds since 1970
  std::int64_t utc = 0;     // seconds since 1970, from the local time and the line's order
  std::int32_t offset = 0;  // seconds east of UTC at that moment
  Method method = Method::kPercent;
  std::uint8_t value = 0;
  bool connected = true;
  std::string_view text;  // the line without its line end, as stored (ANSI code page)

  int Hour() const { return static_cast<int>(((wall % 86400) + 86400) % 86400 / 3600); }
  std::int64_t Day() const { return (wall >= 0 ? wall : wall - 86399) / 86400; }
};

}  // namespace quorvane::report
