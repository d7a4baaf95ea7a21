#include "sampling/WmiReader.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::FakeConnectivity;
using testing::FakeSignalSource;

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
  WmiReader reader{source, connectivity};
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
}

TEST_F(WmiReaderTest, BindsOnceButQueriesEveryTime) {
  source.strengths = {-60};
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  source.strengths = {-70};
  EXPECT_EQ(reader.GetSignalByWmi("other-computer"), "3");
  EXPECT_EQ(source.bound_computers, std::vector<std::string>{"."});
  EXPECT_EQ(source.queries, 2);
}

TEST_F(WmiReaderTest, AFailedBindIsReportedAndTriedAgain) {
  source.binds_left_to_fail = 1;
  source.strengths = {-60};
  EXPECT_THROW(reader.GetSignalByWmi("."), AppError);
  EXPECT_EQ(source.queries, 0);
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  EXPECT_EQ(source.bound_computers.size(), 1u);
}

TEST_F(WmiReaderTest, AnEnumerationFailureBeforeTheFirstAdapterMeansNoConnection) {
  connectivity.connected = true;
  source.strengths = {-60};
  source.fail_enumeration_at = 0;
  EXPECT_EQ(reader.GetSignalByWmi("."), "0 (no connection)");
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
