#include "platform/linux/Nl80211SignalSource.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "sampling/WmiReader.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

bool HasWirelessInterface() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net", error))
    if (std::filesystem::exists(entry.path() / "wireless")) return true;
  return false;
}

TEST(Nl80211SignalSource, AnswersWithoutErrorAndRepeatsTheQuery) {
  Nl80211SignalSource source;
  EXPECT_THROW(source.Query(), AppError);  // not bound yet
  ASSERT_NO_THROW(source.Bind("."));
  for (int round = 0; round < 3; ++round) {
    auto instances = source.Query();
    if (HasWirelessInterface()) {
      while (instances->MoveNext()) {
        const auto dbm = instances->CurrentStrength();
        EXPECT_LE(dbm, 0);
        EXPECT_GE(dbm, -128);
      }
    } else {
      EXPECT_FALSE(instances->MoveNext()) << "no WiFi here, so no instances";
    }
  }
}

// The wireless modules are loaded after the start (a USB adapter plugged in): the
// family is missing at the look that Bind and the first query take, there at the
// next one.
struct FamilyAppearingLater {
  int lookups = 0;
  int missing_lookups = 2;
  std::vector<int> listed_families;
  testing::FakeSignalSource adapters;  // the instances of the family, once found

  Nl80211SignalSource Source() {
    return Nl80211SignalSource(
        [this](nl_sock*) {
          return ++lookups <= missing_lookups ? Nl80211SignalSource::kNoFamily : 28;
        },
        [this](nl_sock*, int family) {
          listed_families.push_back(family);
          return adapters.Query();
        });
  }
};

TEST(Nl80211SignalSource, LooksAgainForAFamilyFoundMissing) {
  FamilyAppearingLater kernel;
  kernel.adapters.strengths = {-60};
  auto source = kernel.Source();
  source.Bind(".");
  EXPECT_EQ(kernel.lookups, 1);

  EXPECT_FALSE(source.Query()->MoveNext()) << "no nl80211 yet";
  EXPECT_EQ(kernel.lookups, 2);

  auto instances = source.Query();
  EXPECT_EQ(kernel.lookups, 3);
  ASSERT_TRUE(instances->MoveNext()) << "the family has appeared";
  EXPECT_EQ(instances->CurrentStrength(), -60);
  EXPECT_EQ(kernel.listed_families, std::vector<int>{28});

  // Found once, the family is kept: no more lookups.
  ASSERT_TRUE(source.Query()->MoveNext());
  EXPECT_EQ(kernel.lookups, 3);
  EXPECT_EQ(kernel.listed_families, (std::vector<int>{28, 28}));
}

TEST(Nl80211SignalSource, ALookupThatFailsAtAQueryIsAnErrorAndIsTriedAgain) {
  int lookups = 0;
  testing::FakeSignalSource adapters;
  Nl80211SignalSource source(
      [&](nl_sock*) -> int {
        if (++lookups == 2) throw AppError("nl80211: finding nl80211: Out of memory");
        return lookups < 3 ? Nl80211SignalSource::kNoFamily : 28;
      },
      [&](nl_sock*, int) { return adapters.Query(); });
  source.Bind(".");
  EXPECT_THROW(source.Query(), AppError);
  EXPECT_NO_THROW(source.Query());
  EXPECT_EQ(lookups, 3);
}

// Method #2 as the user sees it: the connection test while there is no nl80211,
// the adapter's level as soon as there is, without a restart.
TEST(Nl80211SignalSource, Method2GivesTheAdaptersLevelOnceTheFamilyAppears) {
  FamilyAppearingLater kernel;
  kernel.adapters.strengths = {-60};
  auto source = kernel.Source();
  testing::FakeConnectivity connectivity;
  connectivity.connected = true;
  WmiReader reader(source, connectivity);
  EXPECT_EQ(reader.GetSignalByWmi("."), "5");
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
  EXPECT_EQ(reader.GetSignalByWmi("."), "4");
}

}  // namespace
}  // namespace quorvane
