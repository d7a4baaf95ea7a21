#include "platform/SystemClock.h"
#include "platform/linux/TimeFormat.h"

#include <ctime>

#include "base/CalendarMath.h"

namespace quorvane {
namespace {

std::tm ToTm(const LocalDateTime& when) {
  std::tm tm{};
  tm.tm_year = when.year - 1900;
  tm.tm_mon = when.month - 1;
  tm.tm_mday = when.day;
  tm.tm_hour = when.hour;
  tm.tm_min = when.minute;
  tm.tm_sec = when.second;
  tm.tm_isdst = -1;
  // The weekday and the day of the year, which some formats show, worked out here:
  // mktime would look at the time zone file again for every line.
  static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  tm.tm_yday = kDaysBefore[tm.tm_mon] + when.day - 1 + (tm.tm_mon > 1 && IsLeapYear(when.year));
  static constexpr int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int year = when.year - (when.month < 3);
  tm.tm_wday = (year + year / 4 - year / 100 + year / 400 + kMonthOffset[tm.tm_mon] + when.day) % 7;
  return tm;
}

}  // namespace

std::string FormatLocalTime(const char* pattern, const LocalDateTime& when) {
  const std::tm tm = ToTm(when);
  char buffer[128];
  const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &tm);
  return std::string(buffer, length);
}

LocalDateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string SystemClock::ShortDate(const LocalDateTime& when) const {
  return FormatLocalTime("%x", when);
}

std::string SystemClock::LongTime(const LocalDateTime& when) const {
  return FormatLocalTime("%X", when);
}

}  // namespace quorvane
