#pragma once

#include <cstdint>

#include "base/LocalDateTime.h"

namespace quorvane {

inline bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

inline int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
inline std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int year_of_era = static_cast<int>(year - era * 400);
  const int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

// A local time read as if it were UTC: seconds since 1970 on the wall clock.
inline std::int64_t WallSeconds(const LocalDateTime& when) {
  return DaysFromCivil(when.year, when.month, when.day) * 86400 + when.SecondsSinceMidnight();
}

// The calendar date and time of a count of seconds since 1970 (no time zone).
LocalDateTime CivilFromSeconds(std::int64_t seconds);

}  // namespace quorvane
