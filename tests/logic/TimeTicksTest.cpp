// The plot's time axis: round local times, read in the offset of their own moment.
#include "report/TimeTicks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CalendarMath.h"

namespace quorvane::report {
namespace {

constexpr std::int64_t kDay = 86400;

// Central Europe in spring 2026: UTC+1, then UTC+2 from 01:00 UTC on 29 March.
class SpringForward : public TimeZone {
 public:
  std::int32_t OffsetAt(std::int64_t utc) const override {
    return utc < DaysFromCivil(2026, 3, 29) * kDay + 3600 ? 3600 : 7200;
  }
};

TEST(TimeTicksTest, AWeekAcrossADaylightSavingChangeIsMarkedAtLocalMidnights) {
  const SpringForward zone;
  const std::int64_t from = DaysFromCivil(2026, 3, 26) * kDay + 12 * 3600;
  const TimeAxis axis = TimeAxisTicks(from, from + 7 * kDay, zone, 8);

  std::vector<std::string> labels;
  std::vector<std::int64_t> expected_utc;
  for (const TimeTick& tick : axis.ticks) labels.push_back(tick.label);
  for (int day = 27; day <= 33; ++day)
    expected_utc.push_back(DaysFromCivil(2026, 3, day) * kDay - (day <= 29 ? 3600 : 7200));
  EXPECT_EQ(labels,
            (std::vector<std::string>{"Fri 27 Mar", "Sat 28 Mar", "Sun 29 Mar", "Mon 30 Mar",
                                      "Tue 31 Mar", "Wed 1 Apr", "Thu 2 Apr"}));
  std::vector<std::int64_t> tick_utc;
  for (const TimeTick& tick : axis.ticks) tick_utc.push_back(tick.utc);
  EXPECT_EQ(tick_utc, expected_utc);
  EXPECT_EQ(axis.midnights, expected_utc);  // a day line at each
}

TEST(TimeTicksTest, AnAxisOfHoursThatStartsMidDayNamesTheDayOfItsFirstTick) {
  const SpringForward zone;
  const std::int64_t from = DaysFromCivil(2026, 12, 7) * kDay + 13 * 3600 + 20 * 60;  // 14:20
  const TimeAxis axis = TimeAxisTicks(from, from + 12 * 3600, zone, 8);
  std::vector<std::string> labels;
  for (const TimeTick& tick : axis.ticks) labels.push_back(tick.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"Mon 7 Dec 16:00", "18:00", "20:00", "22:00",
                                              "Tue 8 Dec", "02:00"}));
}

}  // namespace
}  // namespace quorvane::report
