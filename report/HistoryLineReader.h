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

}  // namespace quorvane::report
