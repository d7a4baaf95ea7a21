#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace quorvane {

// A local calendar time, to the second.
struct LocalDateTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool IsMidnight() const { return hour == 0 && minute == 0 && second == 0; }
  int SecondsSinceMidnight() const { return hour * 3600 + minute * 60 + second; }
};

// The wall clock and the user's regional formats for it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
  // The user's short date format, for example "12/7/2026".
  virtual std::string ShortDate(const LocalDateTime& when) const = 0;
  // The user's long time format, for example "2:03:11 PM".
  virtual std::string LongTime(const LocalDateTime& when) const = 0;
  // Seconds since 1970-01-01 00:00 UTC, whatever the time zone.
  virtual std::int64_t UnixSeconds() const {
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count();
  }
};

}  // namespace quorvane
