#pragma once

#include <cstddef>
#include <string_view>

#include "report/DateTimeReader.h"
#include "report/Sample.h"

namespace quorvane::report {

// Reads one line of the history log (without its line end): the local time, the
// method, the value and whether there was a connection. False for anything that
// is not a whole history line.
bool ReadHistoryLine(std::string_view line, const DateTimeReader& reader, LineReading& reading,
                     OrderHint& hint);

// The length of what a readable line ends with: " WiFi Signal Strength is " and the
// value's text ("70%", " 5%", "0 (no connection)"), only ASCII and no quotes.
std::size_t HistoryLineTailLength(Method method, int value, bool connected);

}  // namespace quorvane::report
