// The rules that decide when the user is told of a drop, its end and a weak signal.
#include <gtest/gtest.h>

#include "base/CalendarMath.h"
#include "base/TimeText.h"
#include "model/SignalValue.h"
#include "notifications/NotificationRules.h"
#include "notifications/NotificationTexts.h"

namespace quorvane::notifications {
namespace {

using Kind = Notification::Kind;

constexpr std::int64_t kStart = 1'796'000'000;  // some afternoon in 2026

// Feeds samples one after the other and keeps all that the rules answered.
struct Feeder {
  NotificationRules rules{{true, true, 30}};
  std::int64_t now = kStart;
  int interval = 1;
  std::vector<std::pair<std::int64_t, Notification>> told;

  void Sample(Cause cause, std::string value = "70%", Method method = Method::kWirelessTool) {
    SampleFacts facts;
    facts.utc = now;
    facts.local = CivilFromSeconds(now);
    facts.method = method;
    facts.connected = cause != Cause::kWifi;
    facts.value_text = facts.connected ? value : "0% (no connection)";
    facts.value = SampleOf(method, facts.value_text).value;
    facts.cause = cause;
    facts.interval_seconds = interval;
    for (auto& notification : rules.Feed(facts)) told.emplace_back(now, notification);
  }
  // One sample per interval for `seconds`, the first now.
  void For(int seconds, Cause cause, std::string value = "70%",
           Method method = Method::kWirelessTool) {
    for (int waited = 0; waited < seconds; waited += interval) {
      Sample(cause, value, method);
      now += interval;
    }
  }
  // Past the quiet first minute.
  Feeder& Settled() {
    For(61, Cause::kOk);
    return *this;
  }
  std::int64_t Since(std::size_t index) const { return told.at(index).first - kStart; }
  // What was told of one kind, in order.
  std::vector<Notification> Told(Kind kind) const {
    std::vector<Notification> of_kind;
    for (const auto& [when, notification] : told)
      if (notification.kind == kind) of_kind.push_back(notification);
    return of_kind;
  }
};

TEST(NotificationRules, LostNeedsAlertAfterSecondsAndTwoSamplesAndNamesTheCause) {
  const std::pair<Cause, const char*> causes[] = {
      {Cause::kWifi, "WiFi connection lost"},
      {Cause::kRouter, "The router does not answer"},
      {Cause::kInternet, "The internet is unreachable (the router answers)"}};
  for (const auto& [cause, text] : causes) {
    Feeder f;
    f.Settled();
    const std::int64_t down = f.now;
    f.For(29, cause);
    EXPECT_TRUE(f.told.empty());
    f.For(20, cause);
    ASSERT_EQ(f.told.size(), 1u) << text;
    EXPECT_EQ(f.told[0].first - down, 30);
    EXPECT_EQ(f.told[0].second.kind, Kind::kLost);
    EXPECT_EQ(f.told[0].second.text, text);
  }
}

TEST(NotificationRules, AtAnHourlyIntervalLostComesWithTheSecondSample) {
  Feeder f;
  f.interval = 3600;
  f.Sample(Cause::kWifi);
  EXPECT_TRUE(f.told.empty());
  f.now += 3600;
  f.Sample(Cause::kWifi);
  ASSERT_EQ(f.told.size(), 1u);
  EXPECT_EQ(f.told[0].second.kind, Kind::kLost);
}

TEST(NotificationRules, BackAfterTwoGoodSamplesReplacesTheLostAndTellsHowLong) {
  Feeder f;
  f.Settled();
  f.For(200, Cause::kInternet);
  f.Sample(Cause::kOk);
  EXPECT_EQ(f.told.size(), 1u);  // one good sample is not enough
  f.now += 1;
  f.For(10, Cause::kOk);
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.told[1].second.kind, Kind::kBack);
  EXPECT_EQ(f.told[1].second.text, "Connection back after 3 min 20 s (the internet)");
  EXPECT_EQ(f.told[1].second.slot, f.told[0].second.slot);
}

TEST(NotificationRules, AShortDropIsNotToldNorIsItsEnd) {
  Feeder f;
  f.Settled();
  f.For(20, Cause::kWifi);
  f.For(30, Cause::kOk);
  // A run broken by one good sample starts again.
  f.For(20, Cause::kRouter);
  f.For(1, Cause::kOk);
  f.For(20, Cause::kRouter);
  EXPECT_TRUE(f.Told(Kind::kLost).empty());
  EXPECT_TRUE(f.Told(Kind::kBack).empty());
  // Three drops within a minute and a half are a connection that keeps dropping.
  EXPECT_EQ(f.told.size(), f.Told(Kind::kUnstable).size());
}

TEST(NotificationRules, AnotherCauseOfTheSameDropReplacesItsNotification) {
  Feeder f;
  f.Settled();
  f.For(40, Cause::kRouter);
  f.For(40, Cause::kWifi);
  f.For(5, Cause::kOk);
  ASSERT_EQ(f.told.size(), 3u);
  EXPECT_EQ(f.told[1].second.text, "WiFi connection lost");
  EXPECT_EQ(f.told[1].second.slot, f.told[0].second.slot);
  EXPECT_EQ(f.told[2].second.text, "Connection back after 1 min 20 s (the WiFi)");
}

TEST(NotificationRules, UnknownSamplesNeitherStartNorEndAnything) {
  Feeder f;
  f.Settled();
  f.For(100, Cause::kUnknown);
  EXPECT_TRUE(f.told.empty());
  f.For(1, Cause::kInternet);
  f.For(40, Cause::kUnknown);
  f.For(1, Cause::kInternet);
  ASSERT_EQ(f.told.size(), 1u);  // the run of two went on through the unknown ones
  f.For(1, Cause::kOk);
  f.For(40, Cause::kUnknown);
  EXPECT_EQ(f.told.size(), 1u);
  f.For(1, Cause::kOk);
  EXPECT_EQ(f.told.size(), 2u);
}

TEST(NotificationRules, NothingInTheFirstMinuteAfterStart) {
  Feeder f;
  f.For(50, Cause::kWifi);
  f.For(20, Cause::kOk);
  EXPECT_TRUE(f.told.empty());
  Feeder g;
  g.For(90, Cause::kWifi);
  ASSERT_EQ(g.told.size(), 1u);
  EXPECT_EQ(g.Since(0), 60);  // held back until the minute was over
}

TEST(NotificationRules, AGapInTheMiddleOfADropBreaksItsRunAndEndsItsTimeBeforeTheGap) {
  Feeder f;
  f.interval = 5;
  f.Settled();
  f.For(20, Cause::kWifi);
  f.now += 3600;  // asleep
  f.For(20, Cause::kWifi);
  EXPECT_TRUE(f.told.empty());  // neither run lasted 30 s
  f.For(60, Cause::kWifi);
  ASSERT_EQ(f.told.size(), 1u);
  const std::int64_t lost_since = f.now - 80;
  f.For(10, Cause::kWifi);
  const std::int64_t last_down = f.now - 5;
  f.now += 3600;  // asleep again, and connected on waking
  f.For(120, Cause::kOk);
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_GE(f.Since(1), f.now - 120 - kStart + 60);  // not in the minute after waking
  EXPECT_EQ(f.told[1].second.text,
            "Connection back after " + ReadableDuration(last_down - lost_since) + " (the WiFi)");
}

TEST(NotificationRules, TheSameKindAtMostOncePerTenMinutesAndBackOnlyAfterALost) {
  Feeder f;
  f.Settled();
  f.For(40, Cause::kWifi);
  f.For(60, Cause::kOk);
  f.For(40, Cause::kWifi);  // within 10 minutes of the first Lost: not told, nor its end
  f.For(60, Cause::kOk);
  // Down more than a quarter of five minutes: that spell is told once, on its own.
  ASSERT_EQ(f.Told(Kind::kUnstable).size(), 1u);
  std::erase_if(f.told, [](const auto& told) { return told.second.kind == Kind::kUnstable; });
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.told[1].second.kind, Kind::kBack);
  f.For(600, Cause::kOk);
  f.For(40, Cause::kWifi);
  f.For(5, Cause::kOk);
  ASSERT_EQ(f.told.size(), 4u);
  EXPECT_EQ(f.told[2].second.kind, Kind::kLost);
  EXPECT_NE(f.told[2].second.slot, f.told[0].second.slot);
}

// The case the alerts are kept for: no single drop lasts long enough for a Lost.
TEST(NotificationRules, AFlappingConnectionIsToldOnceAsUnstable) {
  Feeder f;
  f.Settled();
  for (int i = 0; i < 5; ++i) {
    f.For(20, Cause::kInternet);
    f.For(8, Cause::kOk);
  }
  EXPECT_TRUE(f.Told(Kind::kLost).empty());
  const auto unstable = f.Told(Kind::kUnstable);
  ASSERT_EQ(unstable.size(), 1u);
  // Told as soon as the rule holds: the third drop, two before it of 20 s.
  EXPECT_EQ(unstable[0].text,
            "Connection keeps dropping: 3 drops, 40 s down in the last 5 minutes (the internet)");
  // Ten quiet minutes, then a new spell: told again, in place of the first notice.
  f.For(600, Cause::kOk);
  for (int i = 0; i < 3; ++i) {
    f.For(3, Cause::kWifi);
    f.For(10, Cause::kOk);
  }
  ASSERT_EQ(f.Told(Kind::kUnstable).size(), 2u);
  EXPECT_EQ(f.Told(Kind::kUnstable)[1].slot, unstable[0].slot);
  EXPECT_EQ(f.Told(Kind::kUnstable)[1].text,
            "Connection keeps dropping: 3 drops, 6 s down in the last 5 minutes (the WiFi)");
}

TEST(NotificationRules, ALongDropAfterAnUnstableSpellIsStillLostAndNothingInTheQuietStart) {
  Feeder f;
  for (int i = 0; i < 4; ++i) {  // the first minute: the system settles
    f.For(5, Cause::kWifi);
    f.For(5, Cause::kOk);
  }
  EXPECT_TRUE(f.told.empty());
  f.For(61, Cause::kOk);
  for (int i = 0; i < 3; ++i) {
    f.For(5, Cause::kRouter);
    f.For(5, Cause::kOk);
  }
  EXPECT_EQ(f.Told(Kind::kUnstable).size(), 1u);
  f.For(40, Cause::kRouter);
  ASSERT_EQ(f.Told(Kind::kLost).size(), 1u);
  EXPECT_EQ(f.Told(Kind::kUnstable).size(), 1u);  // not again while it goes on
}

// After an internet alert, a router drop and then a WiFi drop are each told.
TEST(NotificationRules, TheCapOnLostIsPerCause) {
  Feeder f;
  f.Settled();
  f.For(45, Cause::kInternet);
  f.For(120, Cause::kOk);
  f.For(45, Cause::kRouter);
  f.For(120, Cause::kOk);
  f.For(45, Cause::kWifi);
  f.For(120, Cause::kOk);
  f.For(45, Cause::kInternet);  // the internet again within ten minutes: not told
  const auto lost = f.Told(Kind::kLost);
  ASSERT_EQ(lost.size(), 3u);
  EXPECT_EQ(lost[1].text, "The router does not answer");
  EXPECT_EQ(lost[2].text, "WiFi connection lost");
}

TEST(NotificationRules, WeakOnTheTenMinuteMeanAndNotAgainWhileHoveringAtTheThreshold) {
  Feeder f;
  f.interval = 10;
  f.Settled();  // 70 %
  f.For(300, Cause::kOk, "30%");
  ASSERT_EQ(f.told.size(), 1u);
  EXPECT_EQ(f.told[0].second.kind, Kind::kWeak);
  // Soon after the start the mean is of less than ten minutes, and says so.
  EXPECT_EQ(f.told[0].second.text, "Weak WiFi signal: 48% on average over the last 2 min 20 s");
  for (int round = 0; round < 60; ++round) f.For(10, Cause::kOk, round % 2 ? "48%" : "54%");
  EXPECT_EQ(f.told.size(), 1u);
  f.For(600, Cause::kOk, "56%");  // above threshold plus margin: over
  f.For(300, Cause::kOk, "20%");
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.told[1].second.text, "Weak WiFi signal: 49% on average over the last 10 minutes");
}

TEST(NotificationRules, WeakCountsLevelsWithMethodTwoAndIsCappedTenMinutes) {
  Feeder f;
  f.interval = 10;
  const auto level = Method::kSignalStrength;
  f.For(70, Cause::kNone, "1", level);
  ASSERT_EQ(f.told.size(), 1u);
  EXPECT_EQ(f.told[0].second.text,
            "Weak WiFi signal: level 1.0 on average over the last 1 min 00 s");
  f.For(200, Cause::kNone, "5", level);  // the mean climbs above 3: over
  f.For(600, Cause::kNone, "0", level);  // weak again within minutes
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.Since(1) - f.Since(0), 600);
}

// A mean just below the threshold never reads as the threshold itself.
TEST(NotificationRules, TheWeakTextNeverContradictsItsRule) {
  EXPECT_EQ(WeakText(Method::kWirelessTool, 49.6, 600),
            "Weak WiFi signal: 49% on average over the last 10 minutes");
  EXPECT_EQ(WeakText(Method::kSignalStrength, 1.96, 600),
            "Weak WiFi signal: level 1.9 on average over the last 10 minutes");
}

TEST(NotificationRules, NothingIsToldOfWhatIsTurnedOff) {
  Feeder f;
  f.rules.SetChoices({false, false, 30});
  f.Settled();
  f.For(60, Cause::kWifi);
  f.For(600, Cause::kOk, "10%");
  EXPECT_TRUE(f.told.empty());
}

TEST(NotificationRules, ALostShownBeforeTheDropsWereTurnedOffIsStillReplacedByItsBack) {
  Feeder f;
  f.Settled();
  f.For(40, Cause::kWifi);
  ASSERT_EQ(f.told.size(), 1u);
  f.rules.SetChoices({false, true, 30});
  f.For(5, Cause::kOk);
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.told[1].second.kind, Kind::kBack);
  EXPECT_EQ(f.told[1].second.slot, f.told[0].second.slot);
  f.For(600, Cause::kOk);
  f.For(60, Cause::kWifi);  // a later drop stays untold
  f.For(5, Cause::kOk);
  EXPECT_EQ(f.told.size(), 2u);
}

TEST(NotificationRules, TheTrayTipNamesTheLatestSampleOrTheOutageSinceItsStart) {
  NotificationRules rules;
  EXPECT_EQ(rules.TrayTip(), "Quorvane");
  SampleFacts facts;
  facts.local = {2026, 12, 8, 14, 2, 5};
  facts.cause = Cause::kInternet;
  facts.value_text = "70%";
  rules.Feed(facts);
  EXPECT_EQ(rules.TrayTip(), "Quorvane: internet unreachable since 14:02:05");
  facts.utc = 30;
  facts.local.minute = 3;
  facts.local.second = 11;
  rules.Feed(facts);
  EXPECT_EQ(rules.TrayTip(), "Quorvane: internet unreachable since 14:02:05");
  facts.cause = Cause::kOk;
  facts.value_text = " 7%";
  rules.Feed(facts);
  EXPECT_EQ(rules.TrayTip(), "Quorvane: 7% at 14:03:11");
}

}  // namespace
}  // namespace quorvane::notifications
