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
    for (const auto& item : form->HistoryMenuItems())
      if (item.command == HistoryCommand::kNetworkProbes) return item;
    return std::nullopt;
  }
};

// The sample's line is in the log: closing before its round ends still leaves
// its record, as a round that could not tell.
TEST(Form1Probes, ClosingWhileARoundRunsStillWritesItsRecord) {
  ProbesHarness h;
  static Gate& gate = *new Gate;  // the round's thread may outlive the test
  h.probe->during_round = [] { gate.Wait(); };
  h.Load();
  h.TickAndRead(5);
  ASSERT_TRUE(gate.WaitEntered());
  h.form->CloseRequested();
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

  h.form->HistoryMenuChosen(HistoryCommand::kNetworkProbes);
  EXPECT_EQ(h.settings.values["Network Probes"], "On");
  EXPECT_TRUE(h.ProbesItem()->checked);
  h.TickAndRead(5);
  h.WaitForProbes();
  EXPECT_FALSE(h.probe->calls.empty());
  h.form->HistoryMenuChosen(HistoryCommand::kNetworkProbes);
  EXPECT_EQ(h.settings.values["Network Probes"], "Off");

  // Without probes on this system, nothing is offered.
  Form1Harness bare;
  bare.Load();
  for (const auto& item : bare.form->HistoryMenuItems())
    EXPECT_NE(item.command, HistoryCommand::kNetworkProbes);
}

}  // namespace
}  // namespace quorvane::testing
