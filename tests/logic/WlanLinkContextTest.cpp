#include "platform/portable/WlanLinkContext.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::FakeWlanApi;
using Status = LinkContext::Status;

constexpr WlanMacAddress kAccessPoint{0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0xf5};
constexpr WlanMacAddress kOtherAccessPoint{0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0xf6};

class WlanLinkContextTest : public ::testing::Test {
 protected:
  WlanLinkContextTest() {
    wlan.interfaces = {{false, -40}, {true, -61}};
    wlan.connection.ssid = std::string("caf\xe9\0net", 7);  // Latin-1, with a zero byte
    wlan.connection.bssid = kAccessPoint;
    wlan.connection.tx_rate_kbps = 866700;
    wlan.channel = 5;
  }

  FakeWlanApi wlan;
  WlanLinkContextSource source{wlan};
};

TEST_F(WlanLinkContextTest, TheConnectedInterfaceGivesItsWholeContext) {
  // Channel 5 is a 2.4 GHz number too: the access point's frequency tells 6 GHz.
  wlan.access_points = {{kOtherAccessPoint, 2432000}, {kAccessPoint, 5975000}};
  const LinkContext context = source.Read();
  EXPECT_EQ(context.status, Status::kKnown);
  EXPECT_EQ(context.ssid, std::string("caf\xe9\0net", 7));
  EXPECT_EQ(wlan.listed_ssid, context.ssid) << "the access points of another network";
  EXPECT_EQ(context.bssid, "0a:1b:2c:3d:4e:f5");
  EXPECT_EQ(context.frequency_mhz, 5975);
  EXPECT_EQ(context.channel, 5);
  EXPECT_EQ(context.signal_dbm, -61);
  EXPECT_EQ(context.bitrate_mbps, 866.7);
}

TEST_F(WlanLinkContextTest, WithoutTheAccessPointInTheListTheChannelNumberIsTaken) {
  wlan.access_points = {{kOtherAccessPoint, 2412000}};
  wlan.channel = 36;
  const LinkContext context = source.Read();
  EXPECT_EQ(context.status, Status::kKnown);
  EXPECT_EQ(context.frequency_mhz, 0);
  EXPECT_EQ(context.channel, 36);
  wlan.connection.tx_rate_kbps = 0;
  wlan.interfaces[1].rssi = 0;  // the service's "no reading"
  EXPECT_FALSE(source.Read().bitrate_mbps);
  EXPECT_FALSE(source.Read().signal_dbm);
}

TEST_F(WlanLinkContextTest, NotConnectedGivesNothing) {
  wlan.interfaces = {{false, -40}};
  EXPECT_EQ(source.Read().status, Status::kNone);
  wlan.interfaces = {{true, -40}};
  wlan.connection.connected = false;  // disconnected between the two calls
  const LinkContext context = source.Read();
  EXPECT_EQ(context.status, Status::kNone);
  EXPECT_TRUE(context.ssid.empty() && context.bssid.empty() && !context.signal_dbm);
}

TEST_F(WlanLinkContextTest, RefusedForWantOfLocationPermissionKeepsTheStrength) {
  wlan.connection_error = WlanApi::kAccessDenied;
  LinkContext context = source.Read();
  EXPECT_EQ(context.status, Status::kUnavailableLocation);
  EXPECT_TRUE(context.ssid.empty() && context.bssid.empty());
  EXPECT_EQ(context.signal_dbm, -61);
  // Any other failure is not the permission.
  wlan.enum_error = 0;
  wlan.connection_error = 1167;  // ERROR_DEVICE_NOT_CONNECTED
  context = source.Read();
  EXPECT_EQ(context.status, Status::kNone);
  EXPECT_TRUE(context.ssid.empty());
}

TEST_F(WlanLinkContextTest, ARefusalThatHoldsBackMoreThanLocationDoesIsAccessDenied) {
  // Location consent never refuses the list of interfaces or the strength.
  wlan.enum_error = WlanApi::kAccessDenied;
  EXPECT_EQ(source.Read().status, Status::kUnavailableAccessDenied);
  wlan.enum_error = 0;
  wlan.query_error = WlanApi::kAccessDenied;
  const LinkContext context = source.Read();
  EXPECT_EQ(context.status, Status::kUnavailableAccessDenied);
  EXPECT_FALSE(context.signal_dbm);
}

}  // namespace
}  // namespace quorvane
