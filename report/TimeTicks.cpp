#include "report/TimeTicks.h"

#include <cstdio>

#include "base/CalendarMath.h"
#include "base/TimeText.h"

namespace quorvane::report {
namespace {

constexpr std::int64_t kDay = 86400;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Thu", "Fri", "Sat", "Sun",
                                 "Mon", "Tue", "Wed"};  // from 1970-01-01

// The UTC moment a local wall-clock time stands for. In the hour skipped in spring
// it is the moment just after the change.
std::int64_t UtcOfWall(std::int64_t wall, const TimeZone& zone) {
  return wall - zone.OffsetAt(wall - zone.OffsetAt(wall));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && a < 0); }

enum class Form { kTime, kSeconds, kDate, kMonth };

// A tick's label: the local time of its moment, the date at midnight. A `dated`
// time also names its day, so an axis that starts in the middle of a day says which.
std::string Label(std::int64_t wall, Form form, bool dated) {
  const LocalDateTime t = CivilFromSeconds(wall);
  if (form != Form::kMonth && wall % kDay == 0) form = Form::kDate;
  char date[24];
  std::snprintf(date, sizeof date, "%s %d %s", kWeekdays[(FloorDiv(wall, kDay) % 7 + 7) % 7], t.day,
                kMonths[t.month - 1]);
  char text[48];
  const char* before = dated ? date : "";
  const char* space = dated ? " " : "";
  if (form == Form::kMonth)
    std::snprintf(text, sizeof text, "%s %d", kMonths[t.month - 1], t.year);
  else if (form == Form::kDate)
    return date;
  else if (form == Form::kSeconds)
    std::snprintf(text, sizeof text, "%s%s%02d:%02d:%02d", before, space, t.hour, t.minute,
                  t.second);
  else
    std::snprintf(text, sizeof text, "%s%s%02d:%02d", before, space, t.hour, t.minute);
  return text;
}

}  // namespace

TimeAxis TimeAxisTicks(std::int64_t from, std::int64_t to, const TimeZone& zone, int most) {
  TimeAxis axis;
  if (to <= from || most < 1) return axis;
  const std::int64_t wall_from = from + zone.OffsetAt(from);
  const std::int64_t wall_to = to + zone.OffsetAt(to);
  const std::int64_t span = wall_to - wall_from;
  auto add = [&](std::int64_t wall, Form form) {
    const std::int64_t utc = UtcOfWall(wall, zone);
    if (utc >= from && utc <= to)
      axis.ticks.push_back({utc, Label(utc + zone.OffsetAt(utc), form, axis.ticks.empty())});
  };

  // Steps within a day divide it, so their ticks fall on local midnights too.
  static constexpr std::int64_t kSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,  300,
                                            600, 900, 1800, 3600, 7200, 10800, 21600, 43200};
  static constexpr int kDaySteps[] = {1, 2, 7, 14};
  static constexpr int kMonthSteps[] = {1, 2, 3, 6, 12, 24, 60, 120};
  bool placed = false;
  for (const std::int64_t step : kSteps) {
    if (span / step > most) continue;
    for (std::int64_t wall = FloorDiv(wall_from, step) * step; wall <= wall_to; wall += step)
      add(wall, step < 60 ? Form::kSeconds : Form::kTime);
    placed = true;
    break;
  }
  for (const int days : kDaySteps) {
    if (placed || span / (days * kDay) > most) continue;
    // Weeks start on Mondays (1970-01-05 was one).
    const std::int64_t base = days == 7 || days == 14 ? 4 : 0;
    for (std::int64_t day = FloorDiv(FloorDiv(wall_from, kDay) - base, days) * days + base;
         day * kDay <= wall_to; day += days)
      add(day * kDay, Form::kDate);
    placed = true;
  }
  for (const int months : kMonthSteps) {
    if (placed || span / (months * 30 * kDay) > most) continue;
    const LocalDateTime start = CivilFromSeconds(wall_from);
    int index = (start.year * 12 + start.month - 1) / months * months;
    for (;; index += months) {
      const std::int64_t wall = DaysFromCivil(index / 12, index % 12 + 1, 1) * kDay;
      if (wall > wall_to) break;
      add(wall, Form::kMonth);
    }
    placed = true;
  }

  if (span <= 62 * kDay)
    for (std::int64_t day = FloorDiv(wall_from, kDay); day * kDay <= wall_to; ++day) {
      const std::int64_t utc = UtcOfWall(day * kDay, zone);
      if (utc > from && utc < to) axis.midnights.push_back(utc);
    }
  return axis;
}

}  // namespace quorvane::report
