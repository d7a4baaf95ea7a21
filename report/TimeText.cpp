#include "report/TimeText.h"

#include <cstdio>

#include "report/CalendarMath.h"

namespace quorvane::report {
namespace {

char* Digits(char* out, int value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

}  // namespace

LocalDateTime CivilFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int day_of_era = static_cast<int>(days - era * 146097);
  const int year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int month_index = (5 * day_of_year + 2) / 153;
  const int day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const int month = month_index < 10 ? month_index + 3 : month_index - 9;
  const int year = static_cast<int>(year_of_era + era * 400) + (month <= 2);
  const int second_of_day = static_cast<int>(rest);
  return {year, month, day, second_of_day / 3600, second_of_day / 60 % 60, second_of_day % 60};
}

char* WriteIsoTime(char* out, const LocalDateTime& local, std::int32_t offset_seconds) {
  out = Digits(out, local.year, 4);
  *out++ = '-';
  out = Digits(out, local.month, 2);
  *out++ = '-';
  out = Digits(out, local.day, 2);
  *out++ = 'T';
  out = Digits(out, local.hour, 2);
  *out++ = ':';
  out = Digits(out, local.minute, 2);
  *out++ = ':';
  out = Digits(out, local.second, 2);
  *out++ = offset_seconds < 0 ? '-' : '+';
  const int minutes = (offset_seconds < 0 ? -offset_seconds : offset_seconds) / 60;
  out = Digits(out, minutes / 60, 2);
  *out++ = ':';
  return Digits(out, minutes % 60, 2);
}

std::string IsoTime(std::int64_t utc, std::int32_t offset_seconds) {
  char text[32];
  const char* end = WriteIsoTime(text, CivilFromSeconds(utc + offset_seconds), offset_seconds);
  return std::string(text, static_cast<std::size_t>(end - text));
}

std::string ReadableTime(std::int64_t utc, std::int32_t offset_seconds) {
  std::string text = IsoTime(utc, offset_seconds).substr(0, 19);
  text[10] = ' ';
  return text;
}

std::string ReadableDuration(std::int64_t seconds) {
  char text[64];
  const long long s = seconds;
  if (s < 60) {
    std::snprintf(text, sizeof text, "%lld s", s);
  } else if (s < 3600) {
    std::snprintf(text, sizeof text, "%lld min %02lld s", s / 60, s % 60);
  } else if (s < 86400) {
    std::snprintf(text, sizeof text, "%lld h %02lld min", s / 3600, s / 60 % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld d %lld h", s / 86400, s / 3600 % 24);
  }
  return text;
}

}  // namespace quorvane::report
