#include "platform/linux/SystemClock.h"

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
