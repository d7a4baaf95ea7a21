#pragma once

#include <cstdint>

#include "report/CalendarMath.h"
#include "report/DateTimeReader.h"
#include "report/HistoryLineReader.h"
#include "report/LogLines.h"
#include "report/TimeZone.h"

namespace quorvane::report {

// What one pass over the log found besides its samples.
struct PassCounts {
  std::uint64_t lines = 0;  // not counting empty ones
  std::uint64_t unreadable = 0;
  std::uint64_t day_first = 0;  // slash dates that settle the order either way
  std::uint64_t month_first = 0;
  std::uint64_t ambiguous = 0;  // slash dates with both numbers at most 12

  // The order the whole file is read with: what most settling lines say, and the
  // locale's when none settles it (or as many say one thing as the other).
  DayMonthOrder Settled(DayMonthOrder locale_order) const {
    if (day_first > month_first) return DayMonthOrder::kDayFirst;
    if (month_first > day_first) return DayMonthOrder::kMonthFirst;
    return locale_order;
  }
  // Whether reading with `order` was wrong for some line.
  bool MisreadWith(DayMonthOrder order, DayMonthOrder locale_order) const {
    return ambiguous > 0 && Settled(locale_order) != order;
  }
};

// Reads every line of `file` from its start and calls on_sample(const Sample&) for
// each readable one, its UTC time worked out in the lines' order.
template <typename OnSample>
PassCounts ReadSamples(LogFile& file, const DateTimeReader& reader, const TimeZone& zone,
                       OnSample&& on_sample) {
  file.Rewind();
  PassCounts counts;
  UtcResolver resolver(zone);
  Sample sample;
  ForEachLine(file, [&](std::string_view line) {
    if (line.empty()) return;
    ++counts.lines;
    OrderHint hint;
    if (!ReadHistoryLine(line, reader, sample, hint)) {
      ++counts.unreadable;
      return;
    }
    if (hint == OrderHint::kDayFirst) ++counts.day_first;
    if (hint == OrderHint::kMonthFirst) ++counts.month_first;
    if (hint == OrderHint::kAmbiguous) ++counts.ambiguous;
    resolver.Resolve(WallSeconds(sample.local), sample.utc, sample.offset);
    on_sample(sample);
  });
  return counts;
}

}  // namespace quorvane::report
