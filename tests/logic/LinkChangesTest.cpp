// The wireless link's changes and the access points seen, from the journal's
// records in time order.
#include <gtest/gtest.h>

#include "journal/LinkSummary.h"

namespace quorvane::journal {
namespace {

LinkContext Link(std::string ssid, std::string bssid, int frequency_mhz, int channel,
                 std::optional<int> dbm = std::nullopt) {
  LinkContext link;
  link.status = LinkContext::Status::kKnown;
  link.ssid = std::move(ssid);
  link.bssid = std::move(bssid);
  link.frequency_mhz = frequency_mhz;
  link.channel = channel;
  link.signal_dbm = dbm;
  return link;
}

const LinkContext kHallway = Link("Home", "aa:aa:aa:aa:aa:01", 5180, 36);
const LinkContext kKitchen = Link("Home", "aa:aa:aa:aa:aa:02", 5180, 36);

// The changes of a run of samples 10 s apart; a null link is a sample without a
// connection.
std::vector<LinkChange> Changes(const std::vector<std::optional<LinkContext>>& links) {
  LinkChangeFinder finder;
  std::vector<LinkChange> found;
  std::int64_t utc = 1000;
  for (const auto& link : links) {
    if (auto change = finder.Add(utc, 0, link.has_value(), link.value_or(LinkContext{})))
      found.push_back(*change);
    utc += 10;
  }
  return found;
}

void ExpectChange(const LinkChange& change, std::int64_t utc, LinkChangeKind kind,
                  std::string_view from, std::string_view to) {
  EXPECT_EQ(change.utc, utc);
  EXPECT_EQ(LinkChangeKindText(change.kind), LinkChangeKindText(kind));
  EXPECT_EQ(change.from, from);
  EXPECT_EQ(change.to, to);
}

TEST(LinkChanges, AnotherBssidOfTheSameSsidIsARoam) {
  const auto changes = Changes({kHallway, kHallway, kKitchen, kKitchen});
  ASSERT_EQ(changes.size(), 1u);
  ExpectChange(changes[0], 1020, LinkChangeKind::kRoam, "aa:aa:aa:aa:aa:01", "aa:aa:aa:aa:aa:02");
}

TEST(LinkChanges, AnotherSsidIsAChangeOfNetworkEvenOnABandOrChannelChange) {
  const auto changes = Changes({kHallway, Link("Caf\xC3\xA9", "bb:bb:bb:bb:bb:01", 2412, 1),
                                Link("bad\xFF", "bb:bb:bb:bb:bb:01", 2412, 1)});
  ASSERT_EQ(changes.size(), 2u);
  ExpectChange(changes[0], 1010, LinkChangeKind::kNetwork, "Home", "Caf\xC3\xA9");
  // An SSID that is not UTF-8 is named by its escaped bytes.
  ExpectChange(changes[1], 1020, LinkChangeKind::kNetwork, "Caf\xC3\xA9", "bad\\xff");
}

TEST(LinkChanges, BandOrChannelOfTheSameAccessPoint) {
  const auto changes = Changes({kHallway, Link("Home", "aa:aa:aa:aa:aa:01", 5745, 149),
                                Link("Home", "aa:aa:aa:aa:aa:01", 2437, 6)});
  ASSERT_EQ(changes.size(), 2u);
  ExpectChange(changes[0], 1010, LinkChangeKind::kChannel, "36", "149");
  ExpectChange(changes[1], 1020, LinkChangeKind::kBand, "5", "2.4");
}

// A sample that does not tell its access point is passed over: the next known one
// is compared with the last known one.
TEST(LinkChanges, UnknownContextsMakeNoChangeAndADisconnectionDoesNotHideARoam) {
  LinkContext refused;
  refused.status = LinkContext::Status::kUnavailableLocation;
  LinkContext hidden_bssid = kKitchen;
  hidden_bssid.bssid.clear();
  LinkContext unknown_channel = kHallway;
  unknown_channel.frequency_mhz = unknown_channel.channel = 0;
  EXPECT_TRUE(
      Changes({kHallway, refused, hidden_bssid, std::nullopt, unknown_channel, kHallway}).empty());

  const auto changes = Changes({kHallway, std::nullopt, std::nullopt, kKitchen});
  ASSERT_EQ(changes.size(), 1u);
  ExpectChange(changes[0], 1030, LinkChangeKind::kRoam, "aa:aa:aa:aa:aa:01", "aa:aa:aa:aa:aa:02");
}

// After a roam the new access point's channel is compared with its own, not with
// the one left.
TEST(LinkChanges, ARoamStartsTheNewAccessPointsBandAndChannelAfresh) {
  LinkContext kitchen_unknown = kKitchen;
  kitchen_unknown.frequency_mhz = kitchen_unknown.channel = 0;
  const auto changes =
      Changes({kHallway, kitchen_unknown, Link("Home", "aa:aa:aa:aa:aa:02", 5200, 40),
               Link("Home", "aa:aa:aa:aa:aa:02", 5220, 44)});
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, LinkChangeKind::kRoam);
  ExpectChange(changes[1], 1030, LinkChangeKind::kChannel, "40", "44");
}

TEST(AccessPoints, OneRowPerAccessPointAndChannelWithItsMeanDbm) {
  LinkSummary summary;
  auto add = [&](const LinkContext& link, bool connected = true) {
    JournalRecord record;
    record.connected = connected;
    record.link = link;
    summary.Add(record);
  };
  add(Link("Home", "aa:aa:aa:aa:aa:01", 5180, 36, -50));
  add(Link("Home", "aa:aa:aa:aa:aa:01", 5180, 36, -61));
  add(Link("Home", "aa:aa:aa:aa:aa:01", 5180, 36));  // no dBm: not in the mean
  add(Link("Home", "aa:aa:aa:aa:aa:02", 2412, 1, -70));
  add(Link("Home", "aa:aa:aa:aa:aa:01", 5745, 149, -40));
  add(Link("Home", "aa:aa:aa:aa:aa:01", 5180, 36, -80), false);  // not connected: not counted
  add(Link("Home", "aa:aa:aa:aa:aa:02", 2412, 1, -72));
  add(Link("Home", "aa:aa:aa:aa:aa:02", 2412, 1, -74));
  add(Link("Home", "aa:aa:aa:aa:aa:02", 2412, 1, -76));

  EXPECT_EQ(summary.known_records, 8u);
  const auto rows = summary.access_points.ByTime();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].bssid, "aa:aa:aa:aa:aa:02");
  EXPECT_EQ(rows[0].band, "2.4");
  EXPECT_EQ(rows[0].samples, 4u);
  EXPECT_DOUBLE_EQ(rows[0].MeanDbm(), -73);
  EXPECT_EQ(rows[1].channel, 36);
  EXPECT_EQ(rows[1].samples, 3u);
  EXPECT_DOUBLE_EQ(rows[1].MeanDbm(), -55.5);
  EXPECT_EQ(rows[2].channel, 149);
  EXPECT_EQ(rows[2].band, "5");
  // Roam, roam (back to 01 on 149 is a roam from 02), roam back to 02.
  EXPECT_EQ(summary.Count(LinkChangeKind::kRoam), 3u);
  EXPECT_EQ(summary.Count(LinkChangeKind::kChannel), 0u);
}

// Each record counts until the next one: a longer interval counts its longer
// pauses, a computer asleep counts only the spacing, and records without a known
// access point count for none.
TEST(AccessPoints, EachSampleCountsForItsTimeNotForOne) {
  LinkSummary summary;
  auto add = [&](std::int64_t utc, const LinkContext& link, bool connected = true) {
    JournalRecord record;
    record.utc = utc;
    record.connected = connected;
    record.link = link;
    summary.Add(record);
  };
  for (const std::int64_t utc : {0, 5, 10, 15}) add(utc, kHallway);  // 5 s each
  // Every 5 minutes from here: the first pause, judged a gap, counts the old 5 s.
  for (const std::int64_t utc : {20, 320, 620, 920}) add(utc, kKitchen);  // 5 + 300 + 300 + 300
  // Asleep for 8 hours: the spacing again.
  add(920 + 8 * 3600, kHallway);
  add(920 + 8 * 3600 + 300, kHallway);
  add(920 + 8 * 3600 + 600, kHallway, false);
  summary.Finish();

  const auto rows = summary.access_points.ByTime();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].bssid, kKitchen.bssid);  // fewer samples, more time
  EXPECT_EQ(rows[0].seconds, 905);
  EXPECT_EQ(rows[1].seconds, 4 * 5 + 2 * 300);
  EXPECT_EQ(rows[1].samples, 6u);
  EXPECT_EQ(summary.seconds, 905 + 620 + 300);
}

}  // namespace
}  // namespace quorvane::journal
