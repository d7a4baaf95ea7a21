#include "platform/SystemClock.h"
#include "platform/linux/TimeFormat.h"

#include <clocale>
#include <ctime>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(SystemClock, FormatsByTheLocale) {
  std::setlocale(LC_TIME, "C");
  SystemClock clock;
  const LocalDateTime when{2026, 12, 7, 14, 3, 11};
  EXPECT_EQ(clock.ShortDate(when), "12/07/26");
  EXPECT_EQ(clock.LongTime(when), "14:03:11");
}

TEST(SystemClock, KnowsTheWeekdayAndDayOfTheYear) {
  std::setlocale(LC_TIME, "C");
  // %a and %j need the weekday and the day of the year.
  const auto weekday_and_day = [&](LocalDateTime when) {
    std::tm tm{};
    tm.tm_year = when.year - 1900;
    tm.tm_mon = when.month - 1;
    tm.tm_mday = when.day;
    tm.tm_isdst = -1;
    std::mktime(&tm);
    return std::pair(tm.tm_wday, tm.tm_yday);
  };
  for (const LocalDateTime when :
       {LocalDateTime{2026, 12, 7}, LocalDateTime{2024, 2, 29}, LocalDateTime{2024, 3, 1},
        LocalDateTime{2100, 3, 1}, LocalDateTime{2000, 12, 31}, LocalDateTime{1999, 1, 1}}) {
    const auto [wday, yday] = weekday_and_day(when);
    char expected[32];
    std::tm tm{};
    tm.tm_wday = wday;
    tm.tm_yday = yday;
    std::strftime(expected, sizeof expected, "%a %j", &tm);
    EXPECT_EQ(FormatLocalTime("%a %j", when), expected) << when.year << "-" << when.month;
  }
}

TEST(SystemClock, ReadsTheLocalTime) {
  SystemClock clock;
  const std::time_t before = std::time(nullptr);
  const LocalDateTime now = clock.Now();
  std::tm tm{};
  localtime_r(&before, &tm);
  EXPECT_EQ(now.year, tm.tm_year + 1900);
  EXPECT_GE(now.SecondsSinceMidnight() + 2, tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec);
}

}  // namespace
}  // namespace quorvane
