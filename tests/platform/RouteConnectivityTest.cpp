#include "platform/linux/RouteConnectivity.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr const char* kHeading =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(Ipv4Routes, NeedAnUpDefaultRouteOffLoopback) {
  EXPECT_TRUE(HasIpv4DefaultRoute(std::string(kHeading) +
                                  "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
                                  "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"));
  // Only the local network: no way out.
  EXPECT_FALSE(HasIpv4DefaultRoute(std::string(kHeading) +
                                   "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"));
  // A default route that is down, rejecting, or on loopback does not count.
  EXPECT_FALSE(HasIpv4DefaultRoute(std::string(kHeading) +
                                   "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"
                                   "eth0\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n"
                                   "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"));
  EXPECT_FALSE(HasIpv4DefaultRoute(""));
  EXPECT_FALSE(HasIpv4DefaultRoute(std::string(kHeading) + "eth0 00000000 0 zz 0 0 0 00000000\n"));
}

TEST(Ipv6Routes, NeedAnUpDefaultRouteOffLoopback) {
  const std::string zero(32, '0');
  const std::string usable = zero + " 00 " + zero + " 00 fd000000000000000000000000000001 " +
                             "00000400 00000002 00000000 00000003     eth0\n";
  const std::string loopback_reject =
      zero + " 00 " + zero + " 00 " + zero + " ffffffff 00000001 00000000 00200200       lo\n";
  const std::string local_only = "fd000000000000000000000000000000 40 " + zero + " 00 " + zero +
                                 " 00000100 00000001 00000000 00000001     eth0\n";
  EXPECT_TRUE(HasIpv6DefaultRoute(local_only + usable));
  EXPECT_FALSE(HasIpv6DefaultRoute(local_only + loopback_reject));
  EXPECT_EQ(IpAddressText(*Ipv6DefaultGateway(local_only + usable)), "fd00:0:0:0:0:0:0:1");
  EXPECT_FALSE(Ipv6DefaultGateway(local_only + loopback_reject));
}

TEST(Routes, TheRouterIsTheDefaultRoutesNextHop) {
  // A default route without a next hop (a point-to-point link) names no router.
  EXPECT_EQ(
      IpAddressText(*Ipv4DefaultGateway(
          std::string(kHeading) + "ppp0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
                                  "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n")),
      "192.0.2.1");
  EXPECT_FALSE(Ipv4DefaultGateway(std::string(kHeading) +
                                  "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"));
}

}  // namespace
}  // namespace quorvane
