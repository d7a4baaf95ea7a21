#include "platform/linux/Nl80211LinkSource.h"

#include <linux/nl80211.h>
#include <netlink/errno.h>

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fakes/NetlinkAttributes.h"

namespace quorvane {
namespace {

using testing::NetlinkAttributes;

// A kernel answering each dump with the messages recorded for its command, or
// failing it with a libnl error.
struct FakeKernel {
  std::map<std::uint8_t, std::vector<NetlinkAttributes>> answers;
  std::map<std::uint8_t, int> errors;
  std::vector<std::optional<std::uint32_t>> station_interfaces;

  Nl80211LinkSource Source() {
    return Nl80211LinkSource(
        [](nl_sock*) { return 28; },
        [this](nl_sock*, int, std::uint8_t command, std::optional<std::uint32_t> ifindex,
               const AttributeHandler& handler) {
          if (command == NL80211_CMD_GET_STATION) station_interfaces.push_back(ifindex);
          for (const auto& message : answers[command])
            handler(message.bytes().data(), static_cast<int>(message.bytes().size()));
          return errors[command];
        });
  }
};

NetlinkAttributes Interface(std::uint32_t index, const std::optional<std::string>& ssid) {
  NetlinkAttributes message;
  message.U32(NL80211_ATTR_IFINDEX, index).U32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION);
  if (ssid) message.U32(NL80211_ATTR_WIPHY_FREQ, 5180).Raw(NL80211_ATTR_SSID, *ssid);
  return message;
}

TEST(Nl80211LinkSource, TheAssociatedInterfaceAndItsAccessPoint) {
  FakeKernel kernel;
  kernel.answers[NL80211_CMD_GET_INTERFACE] = {Interface(2, std::nullopt), Interface(5, "Home")};
  kernel.answers[NL80211_CMD_GET_STATION] = {
      NetlinkAttributes()
          .Raw(NL80211_ATTR_MAC, std::string("\x02\0\0\0\0\x01", 6))
          .Nested(NL80211_ATTR_STA_INFO,
                  NetlinkAttributes().U8(NL80211_STA_INFO_SIGNAL, static_cast<std::uint8_t>(-61)))};
  auto source = kernel.Source();
  const LinkContext link = source.Read();
  EXPECT_EQ(link.status, LinkContext::Status::kKnown);
  EXPECT_EQ(link.ssid, "Home");
  EXPECT_EQ(link.frequency_mhz, 5180);
  EXPECT_EQ(link.signal_dbm, -61);
  EXPECT_EQ(link.bitrate_mbps, std::nullopt);
  EXPECT_EQ(kernel.station_interfaces, std::vector<std::optional<std::uint32_t>>{5u});

  // The station gone meanwhile: the interface's part stands.
  kernel.answers[NL80211_CMD_GET_STATION].clear();
  kernel.errors[NL80211_CMD_GET_STATION] = -NLE_NODEV;
  const LinkContext without_station = source.Read();
  EXPECT_EQ(without_station.ssid, "Home");
  EXPECT_EQ(without_station.bssid, "");
}

TEST(Nl80211LinkSource, NothingWhenNotAssociatedOrTheKernelFails) {
  FakeKernel kernel;
  kernel.answers[NL80211_CMD_GET_INTERFACE] = {Interface(2, std::nullopt)};
  auto source = kernel.Source();
  EXPECT_EQ(source.Read().status, LinkContext::Status::kNone);
  EXPECT_TRUE(kernel.station_interfaces.empty());

  kernel.answers[NL80211_CMD_GET_INTERFACE] = {Interface(2, "Home")};
  kernel.errors[NL80211_CMD_GET_INTERFACE] = -NLE_BUSY;
  EXPECT_EQ(source.Read().status, LinkContext::Status::kNone);

  Nl80211LinkSource no_nl80211([](nl_sock*) { return kNoNl80211Family; },
                               [](nl_sock*, int, std::uint8_t, std::optional<std::uint32_t>,
                                  const AttributeHandler&) { return 0; });
  EXPECT_EQ(no_nl80211.Read().status, LinkContext::Status::kNone);
}

}  // namespace
}  // namespace quorvane
