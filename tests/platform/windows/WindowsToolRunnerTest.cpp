#include <windows.h>

#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/ProcessToolRunner.h"
#include "platform/WirelessTool.h"
#include "sampling/NetshReader.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class FakeNetshTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableW(L"FAKE_NETSH_MODE", nullptr); }

  std::string Read(const std::string& mode, std::chrono::milliseconds limit = 10s) {
    SetEnvironmentVariableA("FAKE_NETSH_MODE", mode.c_str());
    WirelessTool tool = SystemWirelessTool();
    tool.command.program = FAKE_NETSH;
    return GetSignalByNetsh(runner, tool, temp.path(), limit).value_text;
  }

  TempDir temp{"TEMP with blanks & more"};
  ProcessToolRunner runner;
};

TEST_F(FakeNetshTest, ReadsTheFirstSignalOfARecordedOutput) {
  const std::string fixture = std::string(QUORVANE_FIXTURES_DIR) +
                              "/netsh/en-seven-networks-win11-band-bssload-many-100pct.txt";
  EXPECT_EQ(Read("print:" + fixture), "65%");
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), ReadFile(fixture));
  EXPECT_EQ(Read("print:" + std::string(QUORVANE_FIXTURES_DIR) +
                 "/netsh/en-twelve-networks-first-100pct-headerless.txt"),
            "100%");
}

TEST_F(FakeNetshTest, AFailingOrMissingToolMeansNoConnection) {
  EXPECT_EQ(Read("fail"), "0% (no connection)");
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), "");

  SetEnvironmentVariableW(L"FAKE_NETSH_MODE", L"fail");
  WirelessTool missing = SystemWirelessTool();
  missing.command.program = (temp / "no-such-netsh.exe").string();
  EXPECT_EQ(GetSignalByNetsh(runner, missing, temp.path()).value_text, "0% (no connection)");
}

TEST_F(FakeNetshTest, AHangingOrCrashingToolIsReported) {
  const auto started = std::chrono::steady_clock::now();
  EXPECT_THROW(Read("hang", 500ms), AppError);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_THROW(Read("crash"), AppError);
  EXPECT_EQ(Read("fail"), "0% (no connection)");  // and the next reading works
}

// Closing the window ends a tool still running: its output, cut short, must not
// be read and logged as a lost connection.
TEST_F(FakeNetshTest, AToolEndedOnTheWayOutIsNoReading) {
  auto reading = std::async(std::launch::async, [&] { return Read("hang"); });
  std::this_thread::sleep_for(300ms);
  runner.StopRunningTool();
  ASSERT_EQ(reading.wait_for(10s), std::future_status::ready);
  EXPECT_THROW(reading.get(), AppError);
}

TEST(WindowsWirelessTool, IsTheSystemsNetsh) {
  const WirelessTool tool = SystemWirelessTool();
  EXPECT_NE(tool.command.program.find("\\netsh.exe"), std::string::npos);
  EXPECT_EQ(tool.command.arguments,
            (std::vector<std::string>{"wlan", "show", "networks", "mode=bssid"}));
  EXPECT_EQ(tool.format, WirelessOutputFormat::kNetsh);
}

}  // namespace
}  // namespace quorvane
