#include "sampling/HistoryLog.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::FakeClock;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(LogFilePath, IsTheProductNameInTheTempFolder) {
  EXPECT_EQ(LogFilePath("/home/ann/state"), std::filesystem::path("/home/ann/state/Quorvane.txt"));
  EXPECT_EQ(LogFilePath("/tmp dir/with blanks/"),
            std::filesystem::path("/tmp dir/with blanks/Quorvane.txt"));
}

TEST(HistoryLine, JoinsDateTimeAndValue) {
  FakeClock clock;
  EXPECT_EQ(ComposeHistoryLine(DateTimeText(clock, clock.now), "70%"),
            "12/07/26 14:03:11 WiFi Signal Strength is 70%");
  // A single-digit percentage keeps its leading blank: two blanks after "is".
  EXPECT_EQ(ComposeHistoryLine("d", " 5%"), "d WiFi Signal Strength is  5%");
  EXPECT_EQ(ComposeHistoryLine("d", "3"), "d WiFi Signal Strength is 3");
}

TEST(HistoryLine, LeavesTheTimeOutAtExactlyMidnight) {
  FakeClock clock;
  EXPECT_EQ(DateTimeText(clock, {2026, 12, 8, 0, 0, 0}), "12/08/26");
  EXPECT_EQ(DateTimeText(clock, {2026, 12, 8, 0, 0, 1}), "12/08/26 00:00:01");
  EXPECT_EQ(DateTimeText(clock, {2026, 12, 7, 23, 59, 59}), "12/07/26 23:59:59");
}

TEST(AppendToLog, CreatesOwnerOnlyAndAppendsWithoutRewriting) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  AppendToLog(log, "first");
  struct stat info {};
  ASSERT_EQ(::stat(log.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  const auto inode = info.st_ino;
  AppendToLog(log, "second");
  AppendToLog(log, "");
  EXPECT_EQ(ReadFile(log), "first\nsecond\n\n");
  ASSERT_EQ(::stat(log.c_str(), &info), 0);
  EXPECT_EQ(info.st_ino, inode);
}

TEST(AppendToLog, KeepsTheModeOfAnExistingLog) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier run\n");
  ::chmod(log.c_str(), 0644);
  AppendToLog(log, "this run");
  EXPECT_EQ(ReadFile(log), "earlier run\nthis run\n");
  struct stat info {};
  ::stat(log.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(AppendToLog, ReportsAFolderThatIsMissingOrNotAFile) {
  TempDir dir;
  try {
    AppendToLog(dir / "no such folder" / "Quorvane.txt", "line");
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Path not found");
  }
  std::filesystem::create_directory(dir / "Quorvane.txt");
  EXPECT_THROW(AppendToLog(dir / "Quorvane.txt", "line"), AppError);
  // An empty path, as when the log's location could not be worked out.
  EXPECT_THROW(AppendToLog("", "line"), AppError);
}

TEST(AppendToLog, ReportsAFolderItMayNotWriteIn) {
  TempDir dir("locked");
  ::chmod(dir.path().c_str(), 0555);
  // Root may write anywhere, so the attempt is made by a child without privileges.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    try {
      AppendToLog(dir / "Quorvane.txt", "line");
    } catch (const AppError& error) {
      ::_exit(std::string(error.what()) == "Permission denied" ? 0 : 2);
    }
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "Quorvane.txt"));
}

}  // namespace
}  // namespace quorvane
