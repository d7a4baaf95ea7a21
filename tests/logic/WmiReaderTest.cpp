#include "sampling/WmiReader.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::FakeConnectivity;
using testing::FakeSignalSource;
using testing::FakeWlanApi;

TEST(LevelFromStrength, HonoursEveryInclusiveBoundary) {
  const std::pair<int, const char*> table[] = {{0, "0 (no connection)"},
                                               {1, "5"},
                                               {40, "5"},
                                               {-1, "5"},
                                               {-56, "5"},
                                               {-57, "4"},
                                               {-67, "4"},
                                               {-68, "3"},
                                               {-71, "3"},
                                               {-72, "2"},
                                               {-79, "2"},
                                               {-80, "1"},
                                               {-89, "1"},
                                               {-90, "0"},
                                               {-127, "0"},
                                               {INT32_MIN, "0"},
                                               {INT32_MAX, "5"}};
  for (const auto& [dbm, level] : table) EXPECT_EQ(LevelFromStrength(dbm), level) << dbm;
}

class WmiReaderTest : public ::testing::Test {
 protected:
  FakeSignalSource source;
  FakeConnectivity connectivity;
  FakeWlanApi wlan;  // no interface unless a test adds one
  WmiReader reader{source, connectivity, &wlan};
};

TEST_F(WmiReaderTest, WithoutAdaptersTheConnectionDecides) {
  connectivity.connected = true;
  EXPECT_EQ(reader.GetSignalByWmi("."), "5");
  connectivity.connected = false;
  EXPECT_EQ(reader.GetSignalByWmi("."), "0");
}

TEST_F(WmiReaderTest, TheLastAdapterDecides) {
  source.strengths = {-50, -85};
  EXPECT_EQ(reader.GetSignalByWmi("."), "1");
  source.strengths = {-85, 0};
  EXPECT_EQ(reader.GetSignalByWmi("."), "0 (no connection)");
  EXPECT_TRUE(wlan.queried.empty()) << "an adapter answered, so the WLAN service is not asked";
}

TEST_F(WmiReaderTest, WithoutAdaptersTheFirstConnectedInterfaceDecides) {
  wlan.interfaces = {{false, -40}, {true, -70}, {true, -50}};
  EXPECT_EQ(reader.GetSignalByWmi("."), "3");
  EXPECT_EQ(wlan.queried, std::vector<std::uint8_t>{1});
}

TEST_F(WmiReaderTest, AQueryThatStopsAnsweringCountsAsOneWithoutAdapters) {
  source.strengths = {-50};
  source.times_out = true;
  wlan.interfaces = {{true, -90}};
  EXPECT_EQ(reader.GetSignalByWmi("."), "0");
}

TEST_F(WmiReaderTest, WhenTheWlanServiceCannotTellTheConnectionDecides) {
  connectivity.connected = true;
  wlan.interfaces = {{false, -60}};
  EXPECT_EQ(reader.Read(".").value_text, "5") << "none connected";
  wlan.interfaces = {{true, 0}};
  EXPECT_EQ(reader.Read(".").value_text, "5") << "connected, but no strength";
  wlan.query_error = 50;  // ERROR_NOT_SUPPORTED
  EXPECT_EQ(reader.Read(".").value_text, "5") << "the strength unreadable";
  wlan.enum_error = 1062;  // ERROR_SERVICE_NOT_ACTIVE
  connectivity.connected = false;
  const SignalReading reading = reader.Read(".");
  EXPECT_EQ(reading.value_text, "0");
  EXPECT_FALSE(reading.location_refused);
}

TEST_F(WmiReaderTest, AnAccessDeniedIsALocationRefusal) {
  connectivity.connected = true;
  wlan.interfaces = {{true, -60}};
  wlan.query_error = WlanApi::kAccessDenied;
  SignalReading reading = reader.Read(".");
  EXPECT_EQ(reading.value_text, "5");
  EXPECT_TRUE(reading.location_refused);
  wlan.enum_error = WlanApi::kAccessDenied;
  EXPECT_TRUE(reader.Read(".").location_refused);
}

TEST_F(WmiReaderTest, BindsOnceButQueriesEveryTime) {
  source.strengths = {-60};
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  source.strengths = {-70};
  EXPECT_EQ(reader.GetSignalByWmi("other-computer"), "3");
  EXPECT_EQ(source.bound_computers, std::vector<std::string>{"."});
  EXPECT_EQ(source.queries, 2);
}

// The instrumentation failing before an adapter was read (not bound, the query
// refused, the enumeration's first step failing) is no adapter to ask: the WLAN
// service answers, and the next reading binds again.
TEST_F(WmiReaderTest, AFailureBeforeTheFirstAdapterFallsBackToTheWlanService) {
  wlan.interfaces = {{true, -50}};
  source.strengths = {-60};
  source.binds_left_to_fail = 1;
  EXPECT_EQ(reader.GetSignalByWmi("."), "5");
  EXPECT_EQ(source.queries, 0);
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  EXPECT_EQ(source.bound_computers.size(), 1u);

  source.fail_query = true;
  EXPECT_EQ(reader.GetSignalByWmi("."), "5");
  source.fail_query = false;
  EXPECT_EQ(source.unbinds, 1) << "a failed query lets go of the connection";
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  EXPECT_EQ(source.bound_computers.size(), 2u);

  source.fail_enumeration_at = 0;
  EXPECT_EQ(reader.GetSignalByWmi("."), "5");
  EXPECT_EQ(wlan.queried.size(), 3u);
}

TEST_F(WmiReaderTest, LaterFailuresAreReported) {
  source.strengths = {-60, -70};
  source.fail_enumeration_at = 1;
  EXPECT_THROW(reader.GetSignalByWmi("."), AppError);

  source.fail_enumeration_at.reset();
  source.strengths = {std::nullopt};
  EXPECT_THROW(reader.GetSignalByWmi("."), AppError);
}

}  // namespace
}  // namespace quorvane
