#pragma once

#include "platform/Clock.h"

namespace quorvane {

// The local time, formatted by the user's regional settings.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
};

}  // namespace quorvane
