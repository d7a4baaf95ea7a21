// The history list's store: each row gives back exactly the line it was given.
#include <gtest/gtest.h>

#include "sampling/HistoryLog.h"
#include "tests/fakes/FakePlatform.h"
#include "window/HistoryStore.h"

namespace quorvane::testing {
namespace {

// Four-digit years, so that no century is lost in the text.
class IsoClock : public FakeClock {
 public:
  std::string ShortDate(const LocalDateTime& when) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", when.year, when.month, when.day);
    return text;
  }
};

TEST(HistoryStore, EachRowKeepsItsOwnValueBeyondSixteenBitsOfTexts) {
  FakeClock clock;
  HistoryStore store(clock);
  constexpr int kDistinctValues = 70000;
  for (int i = 0; i < kDistinctValues; ++i) store.Add({clock.now, std::to_string(i) + "%", ""});
  ASSERT_EQ(store.size(), std::size_t(kDistinctValues));
  for (int i = 0; i < kDistinctValues; ++i)
    ASSERT_EQ(store.Line(i),
              "12/07/26 14:03:11 WiFi Signal Strength is " + std::to_string(i) + "%");
}

TEST(HistoryStore, LinesKeepTheirDateAndTime) {
  IsoClock clock;
  HistoryStore store(clock);
  const LocalDateTime times[] = {
      {2024, 2, 29, 23, 59, 59}, {2099, 12, 31, 1, 2, 3}, {2026, 1, 1, 0, 0, 0}};
  for (const auto& when : times) store.Add({when, "70%", ""});
  for (std::size_t row = 0; row < std::size(times); ++row)
    EXPECT_EQ(store.Line(row), ComposeHistoryLine(DateTimeText(clock, times[row]), "70%"));
  EXPECT_EQ(store.Line(0), "2024-02-29 23:59:59 WiFi Signal Strength is 70%");
  EXPECT_EQ(store.Line(1), "2099-12-31 01:02:03 WiFi Signal Strength is 70%");
}

// The window-core rule both front ends follow: nine rows in sight.
TEST(HistoryStore, AListFollowsWhileItsLastLineIsInSight) {
  EXPECT_TRUE(FollowsNewLine(0, 9, 3));    // not yet full
  EXPECT_TRUE(FollowsNewLine(0, 9, 9));    // full: the tenth line scrolls into sight
  EXPECT_TRUE(FollowsNewLine(1, 9, 10));   // at its end
  EXPECT_FALSE(FollowsNewLine(0, 9, 10));  // the user scrolled back to the start
}

}  // namespace
}  // namespace quorvane::testing
