#pragma once

#include "platform/Clock.h"

namespace quorvane {

// The system's clock in the local time zone, formatted by the user's regional
// settings (Linux: the LC_TIME locale; Windows: the user's date and time formats).
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
};

}  // namespace quorvane
