// Bad input and faults around the log, the wireless tool and the settings: each
// must give a clear message and lose nothing already logged.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <functional>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/Files.h"
#include "platform/ProcessToolRunner.h"
#include "platform/WirelessTool.h"
#include "platform/linux/IniSettingsStore.h"
#include "sampling/NetshReader.h"
#include "settings/Settings.h"
#include "tests/fakes/ChildProcess.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The folder a test hands to such a child must be open to that user.
std::string AsUnprivilegedUser(const std::function<void()>& attempt) {
  return testing::ErrorInChild(attempt, true);
}

TEST(LogFaults, AReadOnlyLogIsReportedAndKeptWhole) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0777);
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier line\n");
  ::chmod(log.c_str(), 0444);
  EXPECT_EQ(AsUnprivilegedUser([&] { AppendLine(log, "new line"); }), "Permission denied");
  EXPECT_EQ(ReadFile(log), "earlier line\n");
}

TEST(LogFaults, ALogDeletedOrReplacedMeanwhileIsWrittenAfresh) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  AppendLine(log, "one");
  std::filesystem::remove(log);
  AppendLine(log, "two");
  EXPECT_EQ(ReadFile(log), "two\n");
  // Another program puts a file of its own in its place: lines go on after its text.
  WriteFile(dir / "other.txt", "someone else's\n");
  std::filesystem::rename(dir / "other.txt", log);
  AppendLine(log, "three");
  EXPECT_EQ(ReadFile(log), "someone else's\nthree\n");
}

TEST(LogFaults, AGigabyteLogIsAppendedToWithoutReadingIt) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  constexpr std::uintmax_t kGigabyte = 1ull << 30;
  WriteFile(log, "");
  std::filesystem::resize_file(log, kGigabyte - 1);  // sparse: no real gigabyte on disk
  std::ofstream(log, std::ios::binary | std::ios::app) << '\n';
  AppendLine(log, "the newest line");
  EXPECT_EQ(std::filesystem::file_size(log), kGigabyte + 16);
  std::ifstream in(log, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(kGigabyte));
  std::string tail;
  std::getline(in, tail);
  EXPECT_EQ(tail, "the newest line");
}

class ToolFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = std::getenv("PATH");
    ::setenv("PATH", (bin.path().string() + ":" + saved_path_).c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", saved_path_.c_str(), 1); }
  void Install(const std::string& body, mode_t mode = 0755) {
    WriteFile(bin / "nmcli", "#!/bin/sh\n" + body + "\n");
    ::chmod((bin / "nmcli").c_str(), mode);
  }
  std::string Read() {
    return GetSignalByNetsh(runner, SystemWirelessTool(), temp.path()).value_text;
  }

  TempDir bin{"bin"};
  TempDir temp{"temp"};
  ProcessToolRunner runner;
  std::string saved_path_;
};

TEST_F(ToolFaults, AToolThatIsNotExecutableMeansNoConnection) {
  Install("echo ' :50'", 0644);
  EXPECT_EQ(Read(), "0% (no connection)");
}

TEST_F(ToolFaults, FiftyMegabytesOfOutputAreRead) {
  Install("echo '*:42'; head -c 52428800 /dev/zero | tr '\\0' 'x'");
  EXPECT_EQ(Read(), "42%");
  EXPECT_EQ(std::filesystem::file_size(temp / "wifi2013.txt"), 52428800u + 5);
}

TEST_F(ToolFaults, InvalidTextIsNoSignal) {
  Install("printf '\\377\\376\\000*:\\300\\n:\\n\\\\'");
  EXPECT_EQ(Read(), "0% (no connection)");
}

TEST_F(ToolFaults, ALinkPlantedAtTheOutputFileLeavesItsTargetAlone) {
  WriteFile(temp / "precious.txt", "the user's own file");
  std::filesystem::create_symlink(temp / "precious.txt", temp / "wifi2013.txt");
  Install("echo ' :77'");
  EXPECT_EQ(Read(), "77%");
  EXPECT_EQ(ReadFile(temp / "precious.txt"), "the user's own file");
  EXPECT_FALSE(std::filesystem::is_symlink(temp / "wifi2013.txt"));
}

TEST(SettingsFaults, AReadOnlyStoreIsReportedAndLeftAlone) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0777);
  const auto file = dir / "Quorvane.ini";
  WriteFile(file, "[Quorvane]\nOftenIndex=7\n");
  ::chmod(file.c_str(), 0444);
  const QString path = QString::fromStdString(file.string());
  EXPECT_NE(AsUnprivilegedUser([&] {
              IniSettingsStore store(path);
              if (GetSetting(store, setting::kOftenIndex) != "7") throw AppError("not read");
              SaveSetting(store, setting::kOftenIndex, "3");
            }),
            "no error");
  EXPECT_EQ(ReadFile(file), "[Quorvane]\nOftenIndex=7\n");
}

TEST(SettingsFaults, AnUnreadableStoreGivesTheDefaultsAndIsNotOverwritten) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0777);
  const auto file = dir / "Quorvane.ini";
  WriteFile(file, "[Quorvane]\nOftenIndex=7\n");
  ::chmod(file.c_str(), 0200);
  const QString path = QString::fromStdString(file.string());
  EXPECT_NE(AsUnprivilegedUser([&] {
              IniSettingsStore store(path);
              if (GetSetting(store, setting::kOftenIndex) != "2") throw AppError("not the default");
              SaveSetting(store, setting::kOftenIndex, "3");
            }),
            "no error");
  EXPECT_EQ(ReadFile(file), "[Quorvane]\nOftenIndex=7\n");
}

}  // namespace
}  // namespace quorvane
