#include "sampling/StatusSampler.h"

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "sampling/NetshReader.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::FakeClock;
using testing::FakeConnectivity;
using testing::FakeLinkSource;
using testing::FakeSignalSource;
using testing::FakeToolRunner;
using testing::Fixture;
using testing::ReadFile;
using testing::TempDir;

class RecordingList : public HistoryList {
 public:
  std::vector<std::string> lines;
  void Add(const HistoryEntry& entry) override { lines.push_back(entry.line); }
};

const WirelessTool kNetsh{{"netsh", {"wlan", "show", "networks", "mode=bssid"}},
                          WirelessOutputFormat::kNetsh};
const WirelessTool kNmcli{{"nmcli", {"-t"}}, WirelessOutputFormat::kNmcliTerse};

class StatusSamplerTest : public ::testing::Test {
 protected:
  StatusSampler MakeSampler(const WirelessTool& tool) {
    return StatusSampler({clock, runner, tool, source, connectivity, temp.path()});
  }

  TempDir temp{"temp folder & co"};
  FakeClock clock;
  FakeToolRunner runner;
  FakeSignalSource source;
  FakeConnectivity connectivity;
  RecordingList list;
  std::filesystem::path log = temp / "Quorvane.txt";
};

TEST_F(StatusSamplerTest, MethodOneRecordsTheSameLineInListAndLog) {
  runner.output = Fixture("netsh/en-seven-networks-win11-band-bssload-many-100pct.txt");
  auto sampler = MakeSampler(kNetsh);
  const auto line = sampler.TakeStatusSample(Method::kWirelessTool, list, log);
  EXPECT_EQ(line, "12/07/26 14:03:11 WiFi Signal Strength is 65%");
  EXPECT_EQ(list.lines, std::vector<std::string>{line});
  EXPECT_EQ(ReadFile(log), line + std::string(kLineEnd));
  // The tool's output stays in the TEMP folder for anyone who wants to look.
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), runner.output);
  ASSERT_EQ(runner.commands.size(), 1u);
  EXPECT_EQ(runner.commands[0].program, "netsh");
}

// The system's source first; nmcli's row in use when the source knows nothing; the
// channel from the frequency where a source leaves it out.
TEST_F(StatusSamplerTest, TheLinkFromTheSourceElseTheToolsRowInUse) {
  runner.output =
      Fixture("nmcli/in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt");
  FakeLinkSource link_source;
  link_source.link.status = LinkContext::Status::kKnown;
  link_source.link.ssid = "Kernel's";
  link_source.link.frequency_mhz = 5955;
  auto sampler = StatusSampler(
      {clock, runner, kNmcli, source, connectivity, temp.path(), nullptr, &link_source});
  SignalReading reading = sampler.Read(Method::kWirelessTool);
  EXPECT_EQ(reading.value_text, "87%");
  EXPECT_EQ(reading.link.ssid, "Kernel's");
  EXPECT_EQ(reading.link.channel, 1);

  link_source.link = {};
  reading = sampler.Read(Method::kWirelessTool);
  EXPECT_EQ(reading.link.ssid, "SSID-3");
  EXPECT_EQ(reading.link.bssid, "fe:dc:ba:09:87:03");

  source.strengths = {-70};  // Method #2 runs no tool: nothing to fall back on
  EXPECT_EQ(sampler.Read(Method::kSignalStrength).link.status, LinkContext::Status::kNone);
}

TEST_F(StatusSamplerTest, MethodTwoGivesALevelWithoutPercent) {
  source.strengths = {-70};
  auto sampler = MakeSampler(kNetsh);
  sampler.TakeStatusSample(Method::kSignalStrength, list, log);
  EXPECT_EQ(ReadFile(log), "12/07/26 14:03:11 WiFi Signal Strength is 3" + std::string(kLineEnd));
  EXPECT_TRUE(runner.commands.empty());
}

TEST_F(StatusSamplerTest, TheClockIsReadOnceAfterTheReading) {
  runner.output = "Signal : 5%";
  auto sampler = MakeSampler(kNetsh);
  const auto value = sampler.ReadValue(Method::kWirelessTool);
  EXPECT_EQ(clock.reads, 0);
  sampler.Record(value, list, log);
  EXPECT_EQ(clock.reads, 1);
  EXPECT_EQ(list.lines.at(0), "12/07/26 14:03:11 WiFi Signal Strength is  5%");
}

TEST_F(StatusSamplerTest, LinesAccumulateInTheLogAcrossRuns) {
  runner.output = " :48\n";
  MakeSampler(kNmcli).TakeStatusSample(Method::kWirelessTool, list, log);
  RecordingList next_run;
  clock.now.second = 12;
  MakeSampler(kNmcli).TakeStatusSample(Method::kWirelessTool, next_run, log);
  EXPECT_EQ(next_run.lines.size(), 1u);
  EXPECT_EQ(ReadFile(log), "12/07/26 14:03:11 WiFi Signal Strength is 48%" + std::string(kLineEnd) +
                               "12/07/26 14:03:12 WiFi Signal Strength is 48%" +
                               std::string(kLineEnd));
}

TEST_F(StatusSamplerTest, AReaderFailureRecordsNothing) {
  runner.output = "Signal : n/a";
  auto sampler = MakeSampler(kNetsh);
  EXPECT_THROW(sampler.TakeStatusSample(Method::kWirelessTool, list, log), AppError);
  EXPECT_TRUE(list.lines.empty());
  EXPECT_FALSE(std::filesystem::exists(log));
}

TEST_F(StatusSamplerTest, AnAppendFailureKeepsTheLineInTheList) {
  runner.output = "Signal : 70%";
  auto sampler = MakeSampler(kNetsh);
  EXPECT_THROW(
      sampler.TakeStatusSample(Method::kWirelessTool, list, temp / "gone" / "Quorvane.txt"),
      AppError);
  EXPECT_EQ(list.lines.size(), 1u);
}

TEST_F(StatusSamplerTest, ToolOutcomesDecideBetweenNoConnectionAndAnError) {
  auto sampler = MakeSampler(kNmcli);
  runner.output = "";
  runner.result = {ToolOutcome::kFailedToStart, 0};
  EXPECT_EQ(sampler.ReadValue(Method::kWirelessTool), "0% (no connection)");
  runner.result = {ToolOutcome::kExited, 8};
  EXPECT_EQ(sampler.ReadValue(Method::kWirelessTool), "0% (no connection)");

  runner.output = " :90\n";
  runner.result = {ToolOutcome::kCrashed, 0};
  EXPECT_THROW(sampler.ReadValue(Method::kWirelessTool), AppError);
  runner.result = {ToolOutcome::kTimedOut, 0};
  try {
    sampler.ReadValue(Method::kWirelessTool);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(),
                 "The wireless tool \"nmcli\" did not finish within 20 seconds and was stopped");
  }
  runner.refuse_output = true;  // the TEMP folder became read-only
  try {
    sampler.ReadValue(Method::kWirelessTool);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(error.what(), "Permission denied: " + (temp / "wifi2013.txt").string());
  }
}

}  // namespace
}  // namespace quorvane
