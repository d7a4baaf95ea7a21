#include "sampling/WirelessOutput.h"

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::Fixture;

struct Capture {
  const char* file;
  const char* expected;
};

class NetshCaptures : public ::testing::TestWithParam<Capture> {};

TEST_P(NetshCaptures, GiveTheFirstSignal) {
  EXPECT_EQ(ParseNetshSignal(Fixture(std::string("netsh/") + GetParam().file)),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Recorded, NetshCaptures,
    ::testing::Values(
        Capture{"en-seven-networks-win11-band-bssload-many-100pct.txt", "65%"},
        Capture{"en-twelve-networks-first-100pct-headerless.txt", "100%"},
        Capture{"en-four-networks-first-single-digit-3pct-MIXED-partly-synthetic.txt", " 3%"},
        Capture{"en-no-wireless-interface-message-text-only.txt", "0% (no connection)"},
        Capture{"en-win11-24h2-location-permission-denied-scan.txt", "0% (no connection)"},
        Capture{"de-eight-networks-hidden-first-anonymised.txt", "23%"},
        // "Señal" is not "Signal": the reader knows only the English word.
        Capture{"es-three-networks-win11-senal.txt", "0% (no connection)"}));

TEST(NetshSignal, FollowsTheExactRules) {
  EXPECT_EQ(ParseNetshSignal(""), "0% (no connection)");
  EXPECT_EQ(ParseNetshSignal("empty file"), "0% (no connection)");
  EXPECT_EQ(ParseNetshSignal("signal : 70%"), "0% (no connection)");  // case counts
  EXPECT_EQ(ParseNetshSignal("Signal : 5%"), " 5%");
  EXPECT_EQ(ParseNetshSignal("Signal : 100%\nSignal : 99%"), "100%");
  EXPECT_EQ(ParseNetshSignal("Signal : 40%\nSignal : 99%"), "40%");
  // The "%" may stand at the end of the 30-character window, not beyond it.
  EXPECT_EQ(ParseNetshSignal("Signal" + std::string(21, ' ') + "42%"), "42%");
}

TEST(NetshSignal, RejectsASignalLineWithoutPercentNearby) {
  EXPECT_THROW(ParseNetshSignal("Signal" + std::string(22, ' ') + "42%"), AppError);
  try {
    ParseNetshSignal("Signal : unknown");
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Invalid procedure call or argument");
  }
}

TEST(NetshLocationRefusal, IsSeenInTheRefusalAlone) {
  EXPECT_TRUE(
      ShowsLocationRefusal(Fixture("netsh/en-win11-24h2-location-permission-denied-scan.txt")));
  for (const char* file : {"en-seven-networks-win11-band-bssload-many-100pct.txt",
                           "en-no-wireless-interface-message-text-only.txt",
                           "de-eight-networks-hidden-first-anonymised.txt"})
    EXPECT_FALSE(ShowsLocationRefusal(Fixture(std::string("netsh/") + file))) << file;
}

// A recorded capture whose first network (SSID 1, "iPhone", 65%) is renamed.
std::string CaptureWithFirstNetworkNamed(const std::string& name) {
  std::string text = Fixture("netsh/en-seven-networks-win11-band-bssload-many-100pct.txt");
  const std::string ssid = "SSID 1 : iPhone";
  const auto at = text.find(ssid);
  EXPECT_NE(at, std::string::npos);
  return text.replace(at, ssid.size(), "SSID 1 : " + name);
}

TEST(NetshSignal, ANetworkNamedWithTheWordDoesNotBreakTheReading) {
  // Once every sample failed with "Invalid procedure call or argument".
  EXPECT_EQ(ParseNetshSignal(CaptureWithFirstNetworkNamed("Signal-Home")), "65%");
  EXPECT_EQ(ParseNetshSignal("SSID 1 : Signal-Home\r\n    Signal             : 100%\r\n"), "100%");
}

TEST(NetshSignal, ANetworkNamedWithTheWordIsNotReadAsTheSignal) {
  EXPECT_EQ(ParseNetshSignal(CaptureWithFirstNetworkNamed("Signal 50% Guest")), "65%");
  EXPECT_EQ(ParseNetshSignal(CaptureWithFirstNetworkNamed("My Signal: 7%")), "65%");
}

TEST(NetshSignal, CountsOnlyASignalThatBeginsItsLine) {
  EXPECT_EQ(ParseNetshSignal("\t \tSignal : 70%"), "70%");  // blanks: spaces and tabs
  EXPECT_EQ(ParseNetshSignal("x\n  Signal : 70%"), "70%");
  EXPECT_EQ(ParseNetshSignal("x\r  Signal : 70%"), "70%");
  EXPECT_EQ(ParseNetshSignal("x Signal : 70%"), "0% (no connection)");
  EXPECT_EQ(ParseNetshSignal("SSID 1 : Signal\n"), "0% (no connection)");
  EXPECT_EQ(ParseNetshSignal(":Signal : 70%\n  Signal : 9%"), " 9%");
  // The rest of the rule is unchanged: the window starts at the word.
  EXPECT_EQ(ParseNetshSignal("    Signal" + std::string(21, ' ') + "00%"), "100%");
  EXPECT_THROW(ParseNetshSignal("    Signal" + std::string(22, ' ') + "42%"), AppError);
  // Many lines that do not count.
  std::string many;
  for (int line = 0; line < 100000; ++line) many += "SSID : Signal Signal Signal\n";
  EXPECT_EQ(ParseNetshSignal(many + "  Signal : 42%"), "42%");
}

class NmcliCaptures : public ::testing::TestWithParam<Capture> {};

TEST_P(NmcliCaptures, GiveTheNetworkInUseElseTheFirst) {
  EXPECT_EQ(ParseNmcliSignal(Fixture(std::string("nmcli/") + GetParam().file)),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Recorded, NmcliCaptures,
    ::testing::Values(
        Capture{"in-use-signal-two-devices-none-in-use-first-92.txt", "92%"},
        Capture{"in-use-signal-in-use-last-87-first-100.txt", "87%"},
        Capture{"in-use-signal-in-use-first-89.txt", "89%"},
        Capture{"in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt", "87%"},
        Capture{"error-networkmanager-not-running-stderr.txt", "0% (no connection)"}));

TEST(NmcliSignal, HandlesTheValueRangeAndOddLines) {
  EXPECT_EQ(ParseNmcliSignal(""), "0% (no connection)");
  EXPECT_EQ(ParseNmcliSignal("empty file"), "0% (no connection)");
  EXPECT_EQ(ParseNmcliSignal(" :7\n"), " 7%");
  EXPECT_EQ(ParseNmcliSignal(" :100\r\n"), "100%");
  EXPECT_EQ(ParseNmcliSignal(" :0\n"), " 0%");
  EXPECT_EQ(ParseNmcliSignal("garbage\n :x1\n\\:\n :55\n"), "55%");
  EXPECT_EQ(ParseNmcliSignal(" :40\n*:61"), "61%");
}

TEST(NmcliLink, TheRowInUseOfTheLongerFieldList) {
  const LinkContext link = ParseNmcliLink(
      Fixture("nmcli/in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt"));
  EXPECT_EQ(link.status, LinkContext::Status::kKnown);
  EXPECT_EQ(link.ssid, "SSID-3");
  EXPECT_EQ(link.bssid, "fe:dc:ba:09:87:03");
  EXPECT_EQ(link.channel, 1);
  EXPECT_EQ(link.frequency_mhz, 2412);
  EXPECT_EQ(link.bitrate_mbps, 260.0);
  EXPECT_EQ(link.signal_dbm, std::nullopt);

  // Escapes undone; fields nmcli leaves empty stay unknown.
  const LinkContext escaped = ParseNmcliLink(" :90:a:::::\n*:70:SSID-2-\\\\foo\\:bar::--:: \n");
  EXPECT_EQ(escaped.ssid, "SSID-2-\\foo:bar");
  EXPECT_EQ(escaped.bssid, "");
  EXPECT_EQ(escaped.channel, 0);
  EXPECT_EQ(escaped.bitrate_mbps, std::nullopt);

  // The two fields of older fake tools, or no row in use: nothing known.
  EXPECT_EQ(ParseNmcliLink(Fixture("nmcli/in-use-signal-in-use-first-89.txt")).status,
            LinkContext::Status::kNone);
  EXPECT_EQ(ParseNmcliLink(" :90:a:02\\:00\\:00\\:00\\:00\\:01:1:2412 MHz:54 Mbit/s\n").status,
            LinkContext::Status::kNone);
}

TEST(SignalPercent, IsAlwaysThreeOrFourCharacters) {
  EXPECT_EQ(FormatSignalPercent(-4), " 0%");
  EXPECT_EQ(FormatSignalPercent(9), " 9%");
  EXPECT_EQ(FormatSignalPercent(10), "10%");
  EXPECT_EQ(FormatSignalPercent(99), "99%");
  EXPECT_EQ(FormatSignalPercent(100), "100%");
  EXPECT_EQ(FormatSignalPercent(250), "100%");
}

}  // namespace
}  // namespace quorvane
