#include "platform/linux/SystemClock.h"

#include <ctime>

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
  // Fills in the weekday and the day of the year, which some formats show.
  std::tm normalised = tm;
  if (std::mktime(&normalised) != -1) tm = normalised;
  return tm;
}

std::string Format(const char* pattern, const LocalDateTime& when) {
  const std::tm tm = ToTm(when);
  char buffer[128];
  const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &tm);
  return std::string(buffer, length);
}

}  // namespace

LocalDateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string SystemClock::ShortDate(const LocalDateTime& when) const { return Format("%x", when); }

std::string SystemClock::LongTime(const LocalDateTime& when) const { return Format("%X", when); }

}  // namespace quorvane
