#pragma once

#include <windows.h>

#include <string>

#include "platform/Clock.h"
#include "platform/windows/WideText.h"

namespace quorvane {

// The user's date and time forms in the ANSI code page, as the history log holds
// them, so that a designator such as "μ.μ." or "오후" is recognised in the log's
// own bytes when the log is read back.
class AnsiFormClock : public Clock {
 public:
  explicit AnsiFormClock(const Clock& clock) : clock_(clock) {}
  LocalDateTime Now() const override { return clock_.Now(); }
  std::string ShortDate(const LocalDateTime& when) const override {
    return Narrow(Widen(clock_.ShortDate(when)), CP_ACP);
  }
  std::string LongTime(const LocalDateTime& when) const override {
    return Narrow(Widen(clock_.LongTime(when)), CP_ACP);
  }
  std::int64_t UnixSeconds() const override { return clock_.UnixSeconds(); }

 private:
  const Clock& clock_;
};

}  // namespace quorvane
