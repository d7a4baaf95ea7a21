#include "platform/linux/Nl80211SignalSource.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/AppError.h"

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

}  // namespace
}  // namespace quorvane
