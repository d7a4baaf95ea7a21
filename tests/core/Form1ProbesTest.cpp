// The network probes beside every sample, with a fake probe: nothing is sent over
// any network, so this needs no namespace of its own (the real probes are tested
// end to end inside a netns).
#include <gtest/gtest.h>

#include <thread>

#include "journal/Journal.h"
#include "tests/core/Form1Harness.h"
#include "tests/fakes/FakeNetworkProbe.h"

namespace quorvane::testing {
namespace {

struct ProbesHarness : Form1Harness {
  TempDir data{"journal"};
  std::shared_ptr<FakeNetworkProbe> probe = std::make_shared<FakeNetworkProbe>();

  ProbesHarness() {
    journal_folder = data.path();
    network_probe = probe;
    settings.values["Network Probes"] = "On";
    settings.values["Internet Targets"] = "192.0.2.1";
  }
  std::vector<journal::JournalRecord> Records() const {
    std::vector<journal::JournalRecord> records;
    journal::ReadJournal(data.path(), [&](const auto& record) { records.push_back(record); });
    return records;
  }
  std::optional<MenuItem> ProbesItem() const {
    for (const auto& item : form->ListView1_ContextMenu())
      if (item.command == HistoryCommand::kNetworkProbes) return item;
    return std::nullopt;
  }
};

TEST(Form1Probes, EachRecordCarriesItsRoundAndCause) {
  ProbesHarness h;
  h.probe->echoes["10.0.0.1"] = {EchoOutcome::kAnswered, 0.8};
  h.Load();
  h.TickAndRead(5);
  h.WaitForProbes();
  h.probe->echoes["192.0.2.1"] = {EchoOutcome::kAnswered, 25};
  h.TickAndRead(5);
  h.WaitForProbes();

  const auto records = h.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].router.state, ProbeState::kUp);
  EXPECT_EQ(records[0].internet.state, ProbeState::kDown);
  EXPECT_EQ(records[0].cause, Cause::kInternet);
  EXPECT_EQ(records[1].internet.rtt_ms, 25);
  EXPECT_EQ(records[1].cause, Cause::kOk);
  EXPECT_EQ(h.LogLines(), 2);  // the log's lines are as they always were
}

TEST(Form1Probes, ASampleWhileARoundRunsIsSkippedNotQueued) {
  ProbesHarness h;
  Gate gate;
  h.probe->during_round = [&gate] { gate.Wait(); };
  h.Load();
  h.TickAndRead(5);
  ASSERT_TRUE(gate.WaitEntered());
  h.probe->during_round = nullptr;
  h.form->PushButton6_Click();
  h.WaitForReading();
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

// The sample's line is in the log: closing before its round ends still leaves
// its record, as a round that could not tell.
TEST(Form1Probes, ClosingWhileARoundRunsStillWritesItsRecord) {
  ProbesHarness h;
  static Gate& gate = *new Gate;  // the round's thread may outlive the test
  h.probe->during_round = [] { gate.Wait(); };
  h.Load();
  h.TickAndRead(5);
  ASSERT_TRUE(gate.WaitEntered());
  h.form->Form_QueryUnload();
  EXPECT_TRUE(h.form->EndReadings());
  h.form.reset();
  gate.Open();

  const auto records = h.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].router.state, ProbeState::kSkipped);
  EXPECT_EQ(records[0].cause, Cause::kUnknown);
  EXPECT_EQ(h.LogLines(), 1);
}

TEST(Form1Probes, TheMenuItemTurnsThemOnAndOffAndIsStored) {
  ProbesHarness h;
  h.settings.values.erase("Network Probes");
  h.Load();
  ASSERT_TRUE(h.ProbesItem());
  EXPECT_TRUE(h.ProbesItem()->checkable);
  EXPECT_FALSE(h.ProbesItem()->checked);
  EXPECT_EQ(h.ProbesItem()->text, "Probe the Router and the Internet");
  h.TickAndRead(5);
  EXPECT_TRUE(h.probe->calls.empty()) << "probed while off";
  EXPECT_EQ(h.Records().at(0).cause, Cause::kNone);

  h.form->ListView1_MenuClick(HistoryCommand::kNetworkProbes);
  EXPECT_EQ(h.settings.values["Network Probes"], "On");
  EXPECT_TRUE(h.ProbesItem()->checked);
  h.TickAndRead(5);
  h.WaitForProbes();
  EXPECT_FALSE(h.probe->calls.empty());
  h.form->ListView1_MenuClick(HistoryCommand::kNetworkProbes);
  EXPECT_EQ(h.settings.values["Network Probes"], "Off");

  // Without probes on this system, nothing is offered.
  Form1Harness bare;
  bare.Load();
  for (const auto& item : bare.form->ListView1_ContextMenu())
    EXPECT_NE(item.command, HistoryCommand::kNetworkProbes);
}

TEST(Form1Probes, AHostnameTargetIsRefusedNamingTheSettingAndUnavailableIsToldOnce) {
  ProbesHarness h;
  h.settings.values["Internet Targets"] = "1.1.1.1, resolver.example";
  h.probe->no_echo = "No ICMP here.";
  h.Load();
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_NE(h.dialogs.warnings[0].find("\"Internet Targets\" holds \"resolver.example\""),
            std::string::npos)
      << h.dialogs.warnings[0];
  for (int i = 0; i < 3; ++i) {
    h.TickAndRead(5);
    h.WaitForProbes();
  }
  EXPECT_EQ(h.dialogs.informations, std::vector<std::string>{"No ICMP here."});
  // The default targets, tried over TCP.
  EXPECT_NE(std::find(h.probe->calls.begin(), h.probe->calls.end(), "connect 9.9.9.9:443"),
            h.probe->calls.end());
  EXPECT_EQ(h.Records().at(0).router.state, ProbeState::kUnavailable);
}

TEST(Form1Probes, TheMetricsFileCarriesTheirStateAndTheCause) {
  ProbesHarness h;
  TempDir metrics("metrics");
  h.metrics_folder_option = metrics.path();
  h.probe->echoes["10.0.0.1"] = {EchoOutcome::kAnswered, 2};
  h.Load();
  h.TickAndRead(5);
  h.WaitForProbes();
  const std::string expected = "quorvane_router_rtt_seconds 0.002000\n";
  std::string text;
  for (int i = 0; i < 500 && text.find("cause=\"internet\"} 1") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    text = ReadFile(metrics / "quorvane.prom");
  }
  EXPECT_NE(text.find("quorvane_cause{cause=\"internet\"} 1"), std::string::npos) << text;
  EXPECT_NE(text.find("quorvane_router_up 1\n"), std::string::npos);
  EXPECT_NE(text.find(expected), std::string::npos);
  EXPECT_NE(text.find("quorvane_internet_up 0\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::testing
