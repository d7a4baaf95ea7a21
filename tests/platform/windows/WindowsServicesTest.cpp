#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/SystemClock.h"
#include "platform/windows/InternetConnectivity.h"
#include "platform/windows/WmiSignalSource.h"
#include "sampling/WmiReader.h"

namespace quorvane {
namespace {

TEST(WindowsSignalStrength, WithoutAdaptersTheConnectionDecides) {
  WmiSignalSource source;
  InternetConnectivity connectivity;
  WmiReader reader(source, connectivity);
  const std::string level = reader.GetSignalByWmi(".");
  // No wireless adapter answers here, so the connection test gives the level.
  EXPECT_EQ(level, connectivity.IsInternetConnected() ? "5" : "0");
  EXPECT_EQ(reader.GetSignalByWmi("."), level);  // the binding is reused
}

TEST(WindowsClock, FormatsByTheUserLocale) {
  const char* locale = std::getenv("QUORVANE_EXPECTED_LOCALE");
  if (!locale) GTEST_SKIP() << "run with LANG and QUORVANE_EXPECTED_LOCALE set";
  SystemClock clock;
  const LocalDateTime when{2024, 3, 5, 14, 7, 9};
  if (std::string(locale) == "de_DE") {
    EXPECT_EQ(clock.ShortDate(when), "5.3.2024");
    EXPECT_EQ(clock.LongTime(when), "14:07:09");
  } else {
    EXPECT_EQ(clock.ShortDate(when), "3/5/2024");
    EXPECT_EQ(clock.LongTime(when), "2:07:09 PM");
  }
  EXPECT_GE(clock.Now().year, 2024);
}

}  // namespace
}  // namespace quorvane
