#pragma once

#include "platform/Clock.h"

namespace quorvane {

// The system clock in the local time zone, formatted by the user's LC_TIME locale.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
  // The time in any strftime pattern.
  std::string Format(const char* pattern, const LocalDateTime& when) const;
};

}  // namespace quorvane
