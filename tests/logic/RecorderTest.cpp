// One sample's path beyond the log, without a window: probes, cause, journal,
// notifications and metrics, on a fake probe that sends nothing anywhere.
#include "recording/Recorder.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/CalendarMath.h"
#include "base/TimeText.h"
#include "journal/Journal.h"
#include "platform/Files.h"
#include "tests/fakes/FakeMessageLoop.h"
#include "tests/fakes/FakeNetworkProbe.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "tests/fakes/Gate.h"
#include "tests/fakes/HeldJournal.h"
#include "tests/fakes/TempDir.h"

namespace quorvane::testing {
namespace {

struct FakeOutlet : RecorderOutlet {
  std::vector<std::string> warnings;
  std::vector<std::string> informations;
  std::vector<notifications::Notification> notifications;
  std::string tip;
  std::vector<std::string> metrics;
  void Warn(const std::string& text) override { warnings.push_back(text); }
  void Inform(const std::string& text) override { informations.push_back(text); }
  void Notify(const notifications::Notification& notification) override {
    notifications.push_back(notification);
  }
  void SetTrayTip(const std::string& text) override { tip = text; }
  void MetricsWritten(const std::string& text) override { metrics.push_back(text); }
};

struct RecorderHarness {
  TempDir data{"journal"};
  FakeClock clock;
  FakeSettingsStore settings;
  FakeMessageLoop loop;
  FakeOutlet outlet;
  journal::RowsAppender journal_append;                 // none: the system's
  std::shared_ptr<FakeNetworkProbe> probe;              // none: no probes on this system
  std::optional<std::filesystem::path> metrics_folder;  // none: no metrics file
  std::unique_ptr<Recorder> recorder;

  // With probes on this system, switched on, towards one internet target.
  void WithProbes() {
    probe = std::make_shared<FakeNetworkProbe>();
    settings.values["Network Probes"] = "On";
    settings.values["Internet Targets"] = "192.0.2.1";
  }
  Recorder& Open() {
    recorder = std::make_unique<Recorder>(
        RecorderServices{clock, settings, loop, data.path(), journal_append, probe, metrics_folder},
        outlet);
    recorder->Open();
    recorder->SetSchedule(5, true);
    return *recorder;
  }
  // A reading by Method #1 of `value_text`, its round started with it; the clock
  // then moves on by `seconds`.
  void Sample(const std::string& value_text, int seconds = 5) {
    const SampleTicket ticket = recorder->BeginSample();
    recorder->Record(ticket, {clock.now,
                              clock.unix_seconds,
                              value_text,
                              SampleOf(Method::kWirelessTool, value_text),
                              {}});
    clock.unix_seconds += seconds;
    clock.now = CivilFromSeconds(WallSeconds(clock.now) + seconds);
  }
  void WaitForProbes() {
    while (recorder->probes_under_way()) {
      if (!loop.WaitForPosted(std::chrono::seconds(10))) {
        ADD_FAILURE() << "the probes did not end";
        return;
      }
    }
  }
  std::vector<journal::JournalRecord> Records() const {
    std::vector<journal::JournalRecord> records;
    journal::ReadJournal(data.path(), [&](const auto& record) { records.push_back(record); });
    return records;
  }
  std::vector<std::string> Values() const {
    std::vector<std::string> values;
    for (const auto& record : Records()) values.push_back(record.value);
    return values;
  }
};

// --- Journal -----------------------------------------------------------------------

TEST(RecorderJournal, ClearDropsTheRecordsWaitingForAHeldFile) {
  RecorderHarness h;
  HeldJournal file;
  h.journal_append = file.Appender();
  h.Open();
  h.Sample("50%");
  h.Sample("60%");
  h.recorder->Clear();
  file.held = false;
  h.Sample("70%");
  EXPECT_EQ(h.Values(), std::vector<std::string>{"70%"});
}

TEST(RecorderJournal, ClosingGivesAHeldFileALastShortWait) {
  for (const bool let_go : {true, false}) {
    RecorderHarness h;
    HeldJournal file;
    file.held_while_waiting = !let_go;
    h.journal_append = file.Appender();
    h.Open();
    h.Sample("50%");
    h.Sample("60%");
    h.recorder.reset();
    EXPECT_EQ(file.appends.back(), WhileHeld::kWait);
    EXPECT_EQ(h.Values().size(), let_go ? 2u : 0u);
    EXPECT_EQ(h.outlet.warnings.size(), 1u);  // nothing is told while the program ends
  }
}

TEST(RecorderJournal, AnInvalidMonthsSettingIsToldNamingItsKey) {
  RecorderHarness h;
  h.settings.values["Journal Months"] = "a year";
  WriteFile(h.data / "2025-11.csv", "time\n");  // kept by the default 13 months
  h.Open();
  ASSERT_EQ(h.outlet.warnings.size(), 1u);
  EXPECT_NE(h.outlet.warnings[0].find("\"Journal Months\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(h.data / "2025-11.csv"));
}

// --- Probes and cause ----------------------------------------------------------------

TEST(RecorderProbes, EachRecordCarriesItsRoundAndCause) {
  RecorderHarness h;
  h.WithProbes();
  h.probe->echoes["10.0.0.1"] = {EchoOutcome::kAnswered, 0.8};
  h.Open();
  h.Sample("70%");
  h.WaitForProbes();
  h.probe->echoes["192.0.2.1"] = {EchoOutcome::kAnswered, 25};
  h.Sample("70%");
  h.WaitForProbes();

  const auto records = h.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].router.state, ProbeState::kUp);
  EXPECT_EQ(records[0].internet.state, ProbeState::kDown);
  EXPECT_EQ(records[0].cause, Cause::kInternet);
  EXPECT_EQ(records[1].internet.rtt_ms, 25);
  EXPECT_EQ(records[1].cause, Cause::kOk);
}

TEST(RecorderProbes, ASampleWhileARoundRunsIsSkippedNotQueued) {
  RecorderHarness h;
  h.WithProbes();
  Gate gate;
  h.probe->during_round = [&gate] { gate.Wait(); };
  h.Open();
  h.Sample("70%");
  ASSERT_TRUE(gate.WaitEntered());
  h.probe->during_round = nullptr;
  h.Sample("70%");
  EXPECT_TRUE(h.Records().empty()) << "written before its probes were in";
  gate.Open();
  h.WaitForProbes();

  const auto records = h.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].router.state, ProbeState::kDown);
  EXPECT_EQ(records[1].router.state, ProbeState::kSkipped);
  EXPECT_EQ(records[1].internet.state, ProbeState::kSkipped);
  EXPECT_EQ(records[1].cause, Cause::kUnknown);
  EXPECT_EQ(h.probe->calls.size(), 2u);  // one round: router and target
}

TEST(RecorderProbes, EveryRefusedTargetIsNamedTheGoodOnesKeptAndUnavailableIsToldOnce) {
  RecorderHarness h;
  h.WithProbes();
  h.settings.values["Internet Targets"] = "10.198.2.2 resolver.example;;; 999.1.1.1";
  h.probe->no_echo = "No ICMP here.";
  h.Open();
  ASSERT_EQ(h.outlet.warnings.size(), 1u);
  EXPECT_NE(h.outlet.warnings[0].find("\"Internet Targets\" holds \"resolver.example\" and "
                                      "\"999.1.1.1\", which are not IP addresses"),
            std::string::npos)
      << h.outlet.warnings[0];
  for (int i = 0; i < 3; ++i) {
    h.Sample("70%");
    h.WaitForProbes();
  }
  EXPECT_EQ(h.outlet.informations, std::vector<std::string>{"No ICMP here."});
  // The good target, tried over TCP; not the defaults.
  EXPECT_NE(std::find(h.probe->calls.begin(), h.probe->calls.end(), "connect 10.198.2.2:443"),
            h.probe->calls.end());
  EXPECT_EQ(std::find(h.probe->calls.begin(), h.probe->calls.end(), "connect 9.9.9.9:443"),
            h.probe->calls.end());
  EXPECT_EQ(h.Records().at(0).router.state, ProbeState::kUnavailable);

  // With no good entry at all, the defaults.
  RecorderHarness none;
  none.WithProbes();
  none.settings.values["Internet Targets"] = "resolver.example";
  none.Open();
  EXPECT_NE(none.outlet.warnings.at(0).find("it uses 1.1.1.1, 9.9.9.9 instead"), std::string::npos)
      << none.outlet.warnings[0];
  none.Sample("70%");
  none.WaitForProbes();
  EXPECT_NE(std::find(none.probe->calls.begin(), none.probe->calls.end(), "echo 9.9.9.9"),
            none.probe->calls.end());
}

// --- Metrics -------------------------------------------------------------------------

TEST(RecorderMetrics, WrittenOncePerSampleWhenItsRoundIsInWithTheirStateAndTheCause) {
  RecorderHarness h;
  TempDir metrics("metrics");
  h.metrics_folder = metrics.path();
  h.WithProbes();
  h.probe->echoes["10.0.0.1"] = {EchoOutcome::kAnswered, 2};
  h.Open();
  h.Sample("70%");
  h.WaitForProbes();
  h.Sample("0% (no connection)");
  h.WaitForProbes();
  // Never this sample's value beside the round before it.
  ASSERT_EQ(h.outlet.metrics.size(), 2u);
  const std::string& text = h.outlet.metrics[0];
  EXPECT_NE(text.find("quorvane_cause{cause=\"internet\"} 1"), std::string::npos) << text;
  EXPECT_NE(text.find("quorvane_router_up 1\n"), std::string::npos);
  EXPECT_NE(text.find("quorvane_router_rtt_seconds 0.002000\n"), std::string::npos);
  EXPECT_NE(text.find("quorvane_internet_up 0\n"), std::string::npos);
  EXPECT_NE(text.find("quorvane_samples_total 1\n"), std::string::npos);
  EXPECT_NE(h.outlet.metrics[1].find("quorvane_wifi_connected 0\n"), std::string::npos);
  EXPECT_NE(h.outlet.metrics[1].find("quorvane_cause{cause=\"wifi\"} 1"), std::string::npos);
  EXPECT_NE(h.outlet.metrics[1].find("quorvane_samples_total 2\n"), std::string::npos);
  std::string written;
  for (int i = 0; i < 500 && written != h.outlet.metrics[1]; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    written = ReadFile(metrics / "quorvane.prom");
  }
  EXPECT_EQ(written, h.outlet.metrics[1]);
}

TEST(RecorderMetrics, TheMethodIsTheSamplesNotTheChoiceMadeSince) {
  RecorderHarness h;
  TempDir metrics("metrics");
  h.metrics_folder = metrics.path();
  h.Open();
  const SampleTicket ticket = h.recorder->BeginSample();
  h.recorder->Record(
      ticket, {h.clock.now, h.clock.unix_seconds, "3", SampleOf(Method::kSignalStrength, "3"), {}});
  ASSERT_EQ(h.outlet.metrics.size(), 1u);
  EXPECT_NE(h.outlet.metrics[0].find("quorvane_wifi_signal_level 3\n"), std::string::npos);
  EXPECT_NE(h.outlet.metrics[0].find(",method=\"2\"} 1"), std::string::npos);
  h.recorder->SetSchedule(5, false);  // logging off: the interval reads 0 at once
  ASSERT_EQ(h.outlet.metrics.size(), 2u);
  EXPECT_NE(h.outlet.metrics[1].find("quorvane_interval_seconds 0\n"), std::string::npos);
}

// --- Notifications and the tray tip ----------------------------------------------------

TEST(RecorderNotifications, AnInvalidAlertAfterIsToldOnceNamingTheKeyAndTheDefaultHolds) {
  RecorderHarness h;
  h.settings.values["Notify Drops"] = "On";
  h.settings.values["Alert After"] = "half a minute";
  h.Open();
  ASSERT_EQ(h.outlet.warnings.size(), 1u);
  EXPECT_NE(h.outlet.warnings[0].find("\"Alert After\" holds \"half a minute\""),
            std::string::npos);
  for (int i = 0; i < 13; ++i) h.Sample("70%");
  for (int i = 0; i < 6; ++i) h.Sample("0% (no connection)");  // 25 s
  EXPECT_TRUE(h.outlet.notifications.empty());
  h.Sample("0% (no connection)");  // 30 s
  EXPECT_EQ(h.outlet.notifications.size(), 1u);
}

TEST(RecorderNotifications, TheTrayTipNamesTimesAsTheLogWritesThem) {
  RecorderHarness h;
  h.clock.twelve_hour = true;
  h.Open();
  h.Sample("70%");
  EXPECT_EQ(h.outlet.tip, "Quorvane: 70% at 2:03:11 PM");
  h.Sample("0% (no connection)");
  h.Sample("0% (no connection)");
  EXPECT_EQ(h.outlet.tip, "Quorvane: no WiFi connection since 2:03:16 PM");
}

}  // namespace
}  // namespace quorvane::testing
