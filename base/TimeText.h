#pragma once

#include <cstdint>
#include <string>

#include "base/LocalDateTime.h"

namespace quorvane {

// "2026-12-07T11:41:29+01:00" into `out` (25 characters); returns the end.
char* WriteIsoTime(char* out, const LocalDateTime& local, std::int32_t offset_seconds);

// The same as a string, from a UTC moment and the local offset at it.
std::string IsoTime(std::int64_t utc, std::int32_t offset_seconds);

// "2026-12-07 11:41:29", the local time of a UTC moment and its offset, for people.
std::string ReadableTime(std::int64_t utc, std::int32_t offset_seconds);

// "3 h 07 min", "45 s", "2 d 4 h": a duration in seconds for people.
std::string ReadableDuration(std::int64_t seconds);

}  // namespace quorvane
