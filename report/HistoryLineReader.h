#pragma once

#include <string_view>

#include "report/DateTimeReader.h"
#include "report/Sample.h"

namespace quorvane::report {

// Reads one line of the history log (without its line end): the local time, the
// method, the value and whether there was a connection. False for anything that
// is not a whole history line.
bool ReadHistoryLine(std::string_view line, const DateTimeReader& reader, LineReading& reading,
                     OrderHint& hint);

// The quick way for most lines, in a block of the log from `start` up to `end`: a
// line with the date of the line read before, the usual time and value, and a line
// end ("\n" or "\r\n"). Returns where its text ends, at that line end; nullptr when
// the line at `start` is not so (ReadHistoryLine then reads it).
const char* ReadUsualHistoryLine(const char* start, const char* end, const DateTimeReader& reader,
                                 LineReading& sample, OrderHint& hint);

}  // namespace quorvane::report
