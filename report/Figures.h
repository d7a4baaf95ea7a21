#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "journal/OutageSummary.h"
#include "report/DateTimeReader.h"
#include "report/PlotGrid.h"
#include "report/Sample.h"
#include "report/SpanList.h"

namespace quorvane::report {

// The figures of one method's samples. A sample without a connection counts as 0.
struct MethodFigures {
  std::uint64_t samples = 0;
  std::uint64_t drops = 0;                     // samples without a connection
  std::array<std::uint64_t, 101> histogram{};  // samples per value
  std::array<std::uint64_t, 24> hour_samples{};
  std::array<std::uint64_t, 24> hour_sum{};

  int Min() const;
  int Max() const;
  // The middle value, or the mean of the two middle values of an even count.
  double Median() const;
  double Mean() const;
  std::uint64_t Below(int threshold) const;
};

// One calendar day of the log, in local time.
struct DayFigures {
  std::uint64_t samples = 0;
  std::array<std::uint64_t, kMethodCount> count{};
  std::array<std::uint64_t, kMethodCount> sum{};
  std::array<int, kMethodCount> min{};
  std::array<int, kMethodCount> max{};
  std::uint64_t disconnections = 0;  // that began on this day
};

// The samples of a clock set back years, by the times they claim (UTC).
struct SetBack {
  std::uint64_t samples = 0;
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// Everything a report shows, gathered in one pass over the log in fixed memory
// (the days of the log and the disconnections and gaps aside, which grow with
// what happened, not with the number of lines; the long lists spill to a file).
struct Figures {
  static constexpr std::size_t kLongestShown = 50;

  std::uint64_t lines = 0;
  std::uint64_t unreadable = 0;
  std::uint64_t samples = 0;
  std::int64_t first = 0;  // UTC of the earliest sample, and its local offset
  std::int32_t first_offset = 0;
  std::int64_t last = 0;
  std::int32_t last_offset = 0;
  DayMonthOrder order = DayMonthOrder::kMonthFirst;  // of slash dates with both numbers <= 12
  // The slash dates left that order open, and under neither reading do the lines
  // run forward in time.
  bool order_unsettled = false;
  SetBack set_back;  // counted in `samples` and `methods` alone
  std::array<MethodFigures, kMethodCount> methods;
  SpanList disconnections{kLongestShown};
  SpanList gaps{kLongestShown};
  std::map<std::int64_t, DayFigures> days;  // by local day, counted from 1970-01-01
  PlotGrid plot;
  // The journal's outages over the same time; none without a journal.
  std::optional<journal::JournalOutages> journal;
  // Per plot column, whether a router's or the internet's outage (bits below) ran
  // in it: the journal's outages laid on the plot's columns (MarkOutageColumns).
  static constexpr std::uint8_t kRouterOutage = 1, kInternetOutage = 2;
  std::array<std::uint8_t, PlotGrid::kColumns> outage_columns{};
};

// Lays the journal's router and internet outages on the plot's columns, once both
// are gathered: each from its first sample's column to the column of the moment
// before its end (the sample that ended it was fine).
void MarkOutageColumns(Figures& figures);

}  // namespace quorvane::report
