#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "journal/OutageSummary.h"

namespace quorvane::report {

// The journal's outages told to people in the order they happened: which rows the
// report lists, and the words and axis they are shown with.

// What failed, in words: "the WiFi connection", "your router", "the internet, beyond
// your router".
std::string_view CauseInWords(Cause cause);

// The `most` most recent outages of every cause, in time order.
std::vector<journal::Outage> MostRecentOutages(const journal::JournalOutages& journal,
                                               std::size_t most);

// The internet outages while the WiFi and the router were fine: the `most` most recent,
// in time order.
std::vector<journal::Outage> ForTheProvider(const journal::JournalOutages& journal,
                                            std::size_t most);

// An outage's duration for people, never "0 s": samples that all fall in one second
// read "1 sample, about 5 s", the usual spacing of the samples around them, or "1
// sample" where that is not known.
std::string OutageDuration(const journal::Outage& outage);

// The time zone a table's times are in, named once: "Europe/Berlin, UTC+01:00"; the
// offset alone where the zone has no name; without an offset where the times have
// several (each time then names its own).
std::string ZoneText(std::string_view zone_name, const std::vector<std::int32_t>& offsets);

// The distinct offsets of the outages' starts and ends, in order.
std::vector<std::int32_t> OffsetsOf(const std::vector<journal::Outage>& outages);

// A logarithmic axis in milliseconds fitted to the values from `lowest_ms` to
// `highest_ms`: its ends and ticks on the steps 1, 2, 5, 10, 20, ..., or on the
// powers of ten alone where those would be too many.
struct RttAxis {
  double bottom_ms = 1;
  double top_ms = 10;
  std::vector<double> ticks_ms;
};
RttAxis FitRttAxis(double lowest_ms, double highest_ms);

}  // namespace quorvane::report
