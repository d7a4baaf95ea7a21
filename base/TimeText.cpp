#include "base/TimeText.h"

#include <cstdio>

#include "base/CalendarMath.h"
#include "base/Digits.h"

namespace quorvane {

char* WriteIsoTime(char* out, const LocalDateTime& local, std::int32_t offset_seconds) {
  out = WriteDigits(out, local.year, 4);
  *out++ = '-';
  out = WriteDigits(out, local.month, 2);
  *out++ = '-';
  out = WriteDigits(out, local.day, 2);
  *out++ = 'T';
  out = WriteDigits(out, local.hour, 2);
  *out++ = ':';
  out = WriteDigits(out, local.minute, 2);
  *out++ = ':';
  out = WriteDigits(out, local.second, 2);
  *out++ = offset_seconds < 0 ? '-' : '+';
  const int minutes = (offset_seconds < 0 ? -offset_seconds : offset_seconds) / 60;
  out = WriteDigits(out, minutes / 60, 2);
  *out++ = ':';
  return WriteDigits(out, minutes % 60, 2);
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

}  // namespace quorvane
