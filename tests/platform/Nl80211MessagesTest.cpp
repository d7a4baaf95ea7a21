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

std::optional<StationInterface> InterfaceLink(const NetlinkAttributes& message) {
  return StationInterfaceOf(message.bytes().data(), static_cast<int>(message.bytes().size()));
}

std::optional<AccessPointStation> AccessPoint(const NetlinkAttributes& message) {
  return AccessPointStationOf(message.bytes().data(), static_cast<int>(message.bytes().size()));
}

NetlinkAttributes AssociatedInterface(const std::string& ssid, std::uint32_t mhz) {
  return NetlinkAttributes()
      .U32(NL80211_ATTR_IFINDEX, 3)
      .U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION)
      .U32(NL80211_ATTR_WIPHY_FREQ, mhz)
      .Raw(NL80211_ATTR_SSID, ssid);
}

TEST(Nl80211Messages, InterfaceGivesTheSsidsRawBytesAndTheFrequency) {
  for (const std::uint32_t mhz : {2412u, 5180u, 5955u}) {
    const auto link = InterfaceLink(AssociatedInterface("Home", mhz));
    ASSERT_TRUE(link && link->ssid);
    EXPECT_EQ(*link->ssid, "Home");
    EXPECT_EQ(link->frequency_mhz, static_cast<int>(mhz));
  }
  const std::string latin1_with_nul("Caf\xe9\0x", 6);
  EXPECT_EQ(InterfaceLink(AssociatedInterface(latin1_with_nul, 2437))->ssid, latin1_with_nul);
  EXPECT_EQ(InterfaceLink(AssociatedInterface("", 2437))->ssid, "");  // a hidden network
  EXPECT_EQ(InterfaceLink(AssociatedInterface(std::string(33, 'x'), 2437))->ssid, std::nullopt);

  const auto idle = InterfaceLink(NetlinkAttributes()
                                      .U32(NL80211_ATTR_IFINDEX, 3)
                                      .U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION));
  ASSERT_TRUE(idle);
  EXPECT_EQ(idle->ssid, std::nullopt);
  EXPECT_EQ(idle->frequency_mhz, 0);
}

TEST(Nl80211Messages, StationGivesBssidSignalAndTransmitBitrate) {
  const std::string mac("\xaa\xbb\xcc\x0d\xee\x0f", 6);
  const auto station = [&](const NetlinkAttributes& info) {
    return AccessPoint(NetlinkAttributes()
                           .Raw(NL80211_ATTR_MAC, mac)
                           .U32(NL80211_ATTR_IFINDEX, 3)
                           .Nested(NL80211_ATTR_STA_INFO, info));
  };
  const std::uint16_t rate16 = 540;  // 54 Mbit/s
  const auto full =
      station(NetlinkAttributes()
                  .U8(NL80211_STA_INFO_SIGNAL, static_cast<std::uint8_t>(-58))
                  .Nested(NL80211_STA_INFO_TX_BITRATE,
                          NetlinkAttributes()
                              .Raw(NL80211_RATE_INFO_BITRATE,
                                   std::string(reinterpret_cast<const char*>(&rate16), 2))
                              .U32(NL80211_RATE_INFO_BITRATE32, 28823)));
  ASSERT_TRUE(full);
  EXPECT_EQ(full->bssid, "aa:bb:cc:0d:ee:0f");
  EXPECT_EQ(full->signal_dbm, -58);
  EXPECT_EQ(full->transmit_mbps, 2882.3);  // the 32-bit rate, beyond 16 bits' reach

  const auto legacy = station(NetlinkAttributes().Nested(
      NL80211_STA_INFO_TX_BITRATE,
      NetlinkAttributes().Raw(NL80211_RATE_INFO_BITRATE,
                              std::string(reinterpret_cast<const char*>(&rate16), 2))));
  EXPECT_EQ(legacy->transmit_mbps, 54.0);

  const auto bare = station(NetlinkAttributes().U32(NL80211_STA_INFO_TX_BYTES, 9));
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->bssid, "aa:bb:cc:0d:ee:0f");
  EXPECT_EQ(bare->signal_dbm, std::nullopt);     // a station without signal
  EXPECT_EQ(bare->transmit_mbps, std::nullopt);  // nor bitrate

  // An address of the wrong length is left out, not read past.
  EXPECT_EQ(AccessPoint(NetlinkAttributes().Raw(NL80211_ATTR_MAC, "\x01\x02")), std::nullopt);
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
