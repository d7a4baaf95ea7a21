#include "report/TimeZone.h"

#include <ctime>
#include <utility>

#include "report/CalendarMath.h"

namespace quorvane::report {

std::int32_t SystemTimeZone::OffsetAt(std::int64_t utc) const {
  const std::time_t moment = static_cast<std::time_t>(utc);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &moment) != 0) return 0;
#else
  if (!localtime_r(&moment, &local)) return 0;
#endif
  const LocalDateTime wall{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                           local.tm_hour,        local.tm_min,     local.tm_sec};
  return static_cast<std::int32_t>(WallSeconds(wall) - utc);
}

void UtcResolver::LearnHour(std::int64_t hour) {
  hour_ = hour;
  const std::int64_t start = hour * 3600;
  // The offsets in force a day before and a day after: a change of offset lies
  // between them when this hour is near one.
  const std::int32_t before = zone_.OffsetAt(start - 86400);
  const std::int32_t after = zone_.OffsetAt(start + 86400);
  offset_count_ = 0;
  for (const std::int32_t offset : {before, after}) {
    if (offset_count_ == 1 && offsets_[0] == offset) continue;
    if (zone_.OffsetAt(start - offset) == offset) offsets_[offset_count_++] = offset;
  }
  if (offset_count_ == 2 && offsets_[0] < offsets_[1]) std::swap(offsets_[0], offsets_[1]);
  if (offset_count_ == 0) offsets_[offset_count_++] = before;  // the hour skipped in spring
}

}  // namespace quorvane::report
