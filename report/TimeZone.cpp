#include "report/TimeZone.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "base/CalendarMath.h"

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

namespace {

// A zone's name as the zone files are named: "Europe/Berlin", "UTC", "Etc/GMT+1". A rule
// written out in TZ names no zone.
std::string ZoneName(std::string_view text) {
  if (!text.empty() && text.front() == ':') text.remove_prefix(1);
  // A path to a zone file: the name is its path below the zone folder.
  if (const std::size_t below = text.find("zoneinfo/"); below != std::string_view::npos)
    text.remove_prefix(below + 9);
  if (text.empty() || text.front() == '/' || text.size() > 64) return {};
  for (const char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
          c == '_' || c == '-' || c == '+'))
      return {};
  return std::string(text);
}

}  // namespace

std::string SystemTimeZone::Name() const {
  if (const char* tz = std::getenv("TZ"); tz && *tz) return ZoneName(tz);
  std::error_code error;
  const std::filesystem::path link = std::filesystem::read_symlink("/etc/localtime", error);
  if (!error) return ZoneName(link.generic_string());
  std::ifstream file("/etc/timezone");
  std::string line;
  std::getline(file, line);
  return ZoneName(line);
}

bool LocalTimeOccursTwice(const TimeZone& zone, std::int64_t utc, std::int32_t offset) {
  const std::int64_t wall = utc + offset;
  for (const std::int32_t other : {zone.OffsetAt(utc - 86400), zone.OffsetAt(utc + 86400)})
    if (other != offset && zone.OffsetAt(wall - other) == other) return true;
  return false;
}

void UtcResolver::LearnHour(std::int64_t hour) {
  hour_ = hour;
  const std::int64_t start = hour * 3600;
  // The offsets in force a day before and a day after: a change of offset lies
  // between them when this hour is near one.
  before_ = zone_.OffsetAt(start - 86400);
  after_ = zone_.OffsetAt(start + 86400);
  changes_ = false;
  missing_ = false;
  if (before_ == after_) return;
  // The moment of the change: the first with the offset after it.
  std::int64_t low = start - 86400, high = start + 86400;
  while (high - low > 1) {
    const std::int64_t middle = low + (high - low) / 2;
    (zone_.OffsetAt(middle) == after_ ? high : low) = middle;
  }
  before_until_ = high + before_;
  after_from_ = high + after_;
  // Only an hour that the change's local times reach has to look at each time.
  if (start + 3600 <= std::min(before_until_, after_from_)) {
    after_ = before_;
  } else if (start >= std::max(before_until_, after_from_)) {
    before_ = after_;
  } else {
    changes_ = true;
  }
}

}  // namespace quorvane::report
