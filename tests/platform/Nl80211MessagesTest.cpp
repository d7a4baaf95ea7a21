#include "platform/linux/Nl80211Messages.h"

#include <linux/nl80211.h>

#include <gtest/gtest.h>

#include "tests/fakes/NetlinkAttributes.h"

namespace quorvane {
namespace {

using testing::NetlinkAttributes;

std::optional<std::uint32_t> Interface(const NetlinkAttributes& message) {
  return StationInterfaceIndex(message.bytes().data(), static_cast<int>(message.bytes().size()));
}

std::optional<std::int32_t> Signal(const NetlinkAttributes& message) {
  return StationSignal(message.bytes().data(), static_cast<int>(message.bytes().size()));
}

TEST(Nl80211Messages, KeepOnlyStationInterfaces) {
  EXPECT_EQ(Interface(NetlinkAttributes()
                          .U32(NL80211_ATTR_IFINDEX, 3)
                          .U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION)),
            std::optional<std::uint32_t>(3));
  EXPECT_EQ(Interface(NetlinkAttributes()
                          .U32(NL80211_ATTR_IFINDEX, 4)
                          .U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_AP)),
            std::nullopt);
  EXPECT_EQ(Interface(NetlinkAttributes().U32(NL80211_ATTR_IFINDEX, 5)), std::nullopt);
  // An index too short to hold a 32-bit number is refused, not read past its end.
  EXPECT_EQ(Interface(NetlinkAttributes()
                          .U8(NL80211_ATTR_IFINDEX, 6)
                          .U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION)),
            std::nullopt);
}

TEST(Nl80211Messages, ReadTheSignalAsSignedDbm) {
  const auto station = [](std::uint8_t raw) {
    return NetlinkAttributes()
        .U32(NL80211_ATTR_IFINDEX, 3)
        .Nested(NL80211_ATTR_STA_INFO, NetlinkAttributes().U8(NL80211_STA_INFO_SIGNAL, raw));
  };
  EXPECT_EQ(Signal(station(static_cast<std::uint8_t>(-60))), std::optional<std::int32_t>(-60));
  EXPECT_EQ(Signal(station(static_cast<std::uint8_t>(-128))), std::optional<std::int32_t>(-128));
  EXPECT_EQ(Signal(station(0)), std::optional<std::int32_t>(0));
  EXPECT_EQ(Signal(NetlinkAttributes().U32(NL80211_ATTR_IFINDEX, 3)), std::nullopt);
  EXPECT_EQ(Signal(NetlinkAttributes().Nested(
                NL80211_ATTR_STA_INFO, NetlinkAttributes().U32(NL80211_STA_INFO_TX_BYTES, 9))),
            std::nullopt);
}

TEST(Nl80211Messages, RefuseBrokenBytes) {
  const std::string truncated = NetlinkAttributes().U32(NL80211_ATTR_IFINDEX, 3).bytes();
  EXPECT_EQ(StationInterfaceIndex(truncated.data(), 6), std::nullopt);
  EXPECT_EQ(StationSignal(truncated.data(), -1), std::nullopt);
  EXPECT_EQ(StationSignal(nullptr, 0), std::nullopt);
  const std::string lying_length("\xff\x00\x03\x00", 4);  // claims 255 bytes
  EXPECT_EQ(StationInterfaceIndex(lying_length.data(), 4), std::nullopt);
}

}  // namespace
}  // namespace quorvane
