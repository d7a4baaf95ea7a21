// The rules of a round of network probes, on a fake probe: nothing is sent (the
// real probes are tested inside a netns, by tests/e2e/probes/).
#include <gtest/gtest.h>

#include "platform/portable/EchoSocket.h"
#include "probes/ProbeRound.h"
#include "tests/fakes/FakeNetworkProbe.h"

namespace quorvane::probes {
namespace {

using testing::FakeNetworkProbe;

constexpr EchoResult Answered(double ms) { return {EchoOutcome::kAnswered, ms}; }

std::vector<IpAddress> Addresses(std::string_view text) { return ParseTargets(text).addresses; }

TEST(IpAddresses, BothVersionsAndNothingElse) {
  EXPECT_EQ(IpAddressText(*ParseIpAddress("192.0.2.10")), "192.0.2.10");
  EXPECT_EQ(IpAddressText(*ParseIpAddress("2001:db8::1")), "2001:db8:0:0:0:0:0:1");
  EXPECT_EQ(IpAddressText(*ParseIpAddress("::ffff:192.0.2.1")), "0:0:0:0:0:ffff:c000:201");
  EXPECT_TRUE(ParseIpAddress("::"));
  for (const char* bad : {"", "example.com", "1.1.1", "1.1.1.256", "01.1.1.1", "1.1.1.1.1",
                          "2001:db8::1::2", "2001:db8:1:2:3:4:5:6:7", "12345::", "fe80::1%eth0"})
    EXPECT_FALSE(ParseIpAddress(bad)) << bad;
}

TEST(InternetTargets, AddressesListedAndAHostnameRefused) {
  const TargetList list = ParseTargets(" 1.1.1.1, 9.9.9.9;2606:4700::1111 ");
  EXPECT_EQ(list.addresses.size(), 3u);
  EXPECT_TRUE(list.refused.empty());
  const TargetList named = ParseTargets("1.1.1.1, dns.example, other.example");
  EXPECT_EQ(named.refused, (std::vector<std::string>{"dns.example", "other.example"}));
  EXPECT_EQ(named.addresses.size(), 1u);  // the good entry is kept
  EXPECT_TRUE(ParseTargets("  ").addresses.empty());
  EXPECT_EQ(RoundLimit(5), std::chrono::milliseconds(1000));
  EXPECT_EQ(RoundLimit(1), std::chrono::milliseconds(1000));
}

TEST(ProbeRound, EchoToTheRouterAndEveryTargetTheFastestAnswerCounting) {
  FakeNetworkProbe probe;
  probe.echoes["10.0.0.1"] = Answered(0.5);
  probe.echoes["9.9.9.9"] = Answered(20);
  probe.echoes["2606:4700:0:0:0:0:0:1111"] = Answered(12);
  const RoundResult round =
      RunProbeRound(probe, Addresses("1.1.1.1 9.9.9.9 2606:4700::1111"), RoundLimit(5));
  EXPECT_EQ(round.router.state, ProbeState::kUp);
  EXPECT_EQ(round.router.rtt_ms, 0.5);
  EXPECT_EQ(round.internet.state, ProbeState::kUp);
  EXPECT_EQ(round.internet.rtt_ms, 12);
  EXPECT_TRUE(round.unavailable_reason.empty());
  for (const auto& call : probe.calls) EXPECT_EQ(call.rfind("echo ", 0), 0u) << call;

  probe.echoes.clear();
  const RoundResult silent = RunProbeRound(probe, Addresses("1.1.1.1"), RoundLimit(5));
  EXPECT_EQ(silent.router.state, ProbeState::kDown);
  EXPECT_EQ(silent.internet.state, ProbeState::kDown);
  // No targets: the internet is not probed at all.
  EXPECT_EQ(RunProbeRound(probe, {}, RoundLimit(5)).internet.state, ProbeState::kNone);
}

TEST(ProbeRound, WithoutEchoTheRouterIsUnavailableAndTcpTries443Then53) {
  FakeNetworkProbe probe;
  probe.no_echo = NoEchoSocketReason();
  probe.connects["9.9.9.9:53"] = Answered(30);
  const RoundResult round = RunProbeRound(probe, Addresses("1.1.1.1, 9.9.9.9"), RoundLimit(5));
  EXPECT_EQ(round.router.state, ProbeState::kUnavailable);
  EXPECT_EQ(round.unavailable_reason, NoEchoSocketReason());
  EXPECT_EQ(round.internet.state, ProbeState::kUp);
  EXPECT_EQ(round.internet.rtt_ms, 30);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"connect 1.1.1.1:443", "connect 9.9.9.9:443",
                                                   "connect 1.1.1.1:53", "connect 9.9.9.9:53"}));

  // An answer on 443 is enough; 53 is not tried.
  probe.calls.clear();
  probe.connects["1.1.1.1:443"] = Answered(8);
  EXPECT_EQ(RunProbeRound(probe, Addresses("1.1.1.1, 9.9.9.9"), RoundLimit(5)).internet.rtt_ms, 8);
  EXPECT_EQ(probe.calls.size(), 2u);
}

TEST(ProbeRound, NoDefaultRouteLeavesTheRouterUnavailableWithoutANotice) {
  FakeNetworkProbe probe;
  probe.router.reset();
  probe.echoes["1.1.1.1"] = Answered(9);
  const RoundResult round = RunProbeRound(probe, Addresses("1.1.1.1"), RoundLimit(5));
  EXPECT_EQ(round.router.state, ProbeState::kUnavailable);
  EXPECT_TRUE(round.unavailable_reason.empty());
  EXPECT_EQ(round.internet.state, ProbeState::kUp);
}

}  // namespace
}  // namespace quorvane::probes
