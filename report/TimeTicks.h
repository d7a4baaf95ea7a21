#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/TimeZone.h"

namespace quorvane::report {

// A labelled moment on the plot's time axis.
struct TimeTick {
  std::int64_t utc = 0;
  // In the local time of that moment: "Mon 7 Dec", "14:00", "Dec 2026"; the first
  // tick of times names its day too: "Mon 7 Dec 14:00".
  std::string label;
};

struct TimeAxis {
  std::vector<TimeTick> ticks;
  std::vector<std::int64_t> midnights;  // local day starts, for faint day lines
};

// Ticks at round local times between `from` and `to` (UTC seconds): local midnights
// for a span of days, round hours for a span of hours, minutes or months for shorter
// or longer spans, at most `most` of them. Each is read in the offset `zone` has at
// that moment, so a tick after a daylight-saving change still falls on the hour.
TimeAxis TimeAxisTicks(std::int64_t from, std::int64_t to, const TimeZone& zone, int most);

}  // namespace quorvane::report
