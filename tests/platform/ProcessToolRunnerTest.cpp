#include "platform/ProcessToolRunner.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/WirelessTool.h"
#include "sampling/NetshReader.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using testing::Fixture;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Puts a fake "nmcli" first on PATH; its body is a shell script.
class FakeNmcliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    saved_path_ = path ? path : "";
    ::setenv("PATH", (bin.path().string() + ":" + saved_path_).c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", saved_path_.c_str(), 1); }

  void InstallNmcli(const std::string& body) {
    const auto script = bin / "nmcli";
    WriteFile(script, "#!/bin/sh\n" + body + "\n");
    ::chmod(script.c_str(), 0755);
  }

  std::string Read(std::chrono::milliseconds limit = 5s) {
    return GetSignalByNetsh(runner, SystemWirelessTool(), temp.path(), limit).value_text;
  }

  TempDir bin{"bin"};
  TempDir temp{"TEMP with blanks & \"quotes\" $(touch pwned) 'n' ünïcode"};
  ProcessToolRunner runner;

 private:
  std::string saved_path_;
};

TEST_F(FakeNmcliTest, ReadsWhatTheToolPrints) {
  const auto fixture = std::filesystem::path(QUORVANE_FIXTURES_DIR) /
                       "nmcli/in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt";
  InstallNmcli("printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/arguments\"\ncat '" + fixture.string() +
               "'");
  EXPECT_EQ(Read(), "87%");
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), ReadFile(fixture));
  EXPECT_EQ(ReadFile(bin / "arguments"),
            "-t\n-f\nIN-USE,SIGNAL,SSID,BSSID,CHAN,FREQ,RATE\ndevice\nwifi\nlist\n--rescan\nno\n");
  EXPECT_FALSE(std::filesystem::exists(temp / "pwned"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(FakeNmcliTest, FailuresOfTheToolMeanNoConnection) {
  // NetworkManager not running: the message goes to standard error, exit code 8.
  InstallNmcli("echo 'Error: NetworkManager is not running.' >&2\nexit 8");
  EXPECT_EQ(Read(), "0% (no connection)");
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), "");

  InstallNmcli("exit 0");  // no WiFi device: nothing listed
  EXPECT_EQ(Read(), "0% (no connection)");

  std::filesystem::remove(bin / "nmcli");  // not installed at all
  WriteFile(temp / "wifi2013.txt", " :99\n");
  EXPECT_EQ(Read(), "0% (no connection)");
  EXPECT_EQ(ReadFile(temp / "wifi2013.txt"), "");
}

TEST_F(FakeNmcliTest, AToolThatHangsIsEndedAndReported) {
  InstallNmcli("echo $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 30");
  const auto started = std::chrono::steady_clock::now();
  EXPECT_THROW(Read(300ms), AppError);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  const pid_t pid = std::stoi(ReadFile(bin / "pid"));
  EXPECT_NE(::kill(pid, 0), 0) << "the hung tool is still running";

  // The next reading works normally.
  InstallNmcli("echo ' :61'");
  EXPECT_EQ(Read(), "61%");
}

TEST_F(FakeNmcliTest, AToolKilledByASignalIsReported) {
  InstallNmcli("echo ' :61'\nkill -KILL $$");
  EXPECT_THROW(Read(), AppError);
}

TEST_F(FakeNmcliTest, LargeAndBinaryOutputIsHandled) {
  InstallNmcli("head -c 3000000 /dev/urandom | tr -d '\\n*:'; echo; echo ' :33'");
  EXPECT_EQ(Read(), "33%");
}

}  // namespace
}  // namespace quorvane
