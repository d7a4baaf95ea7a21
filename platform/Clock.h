#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "base/LocalDateTime.h"

namespace quorvane {

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
