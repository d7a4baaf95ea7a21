#include "sampling/HistoryLog.h"

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/Files.h"
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

TEST(AppendToLog, AppendsWithoutRewriting) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier run\n");
  AppendToLog(log, "first");
  AppendToLog(log, "");
  AppendToLog(log, "second");
  const std::string end(kLineEnd);
  EXPECT_EQ(ReadFile(log), "earlier run\nfirst" + end + end + "second" + end);
}

// A run that crashed or a disk that filled may leave a last line without its end;
// the next line starts on a line of its own instead of being glued onto it.
TEST(AppendToLog, EndsACutLastLineBeforeTheNext) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier run\n12/07/26 14:0");
  AppendToLog(log, "next");
  const std::string end(kLineEnd);
  EXPECT_EQ(ReadFile(log), "earlier run\n12/07/26 14:0" + end + "next" + end);
}

TEST(AppendToLog, ReportsAFolderThatIsMissingOrNotAFile) {
  TempDir dir;
  const auto log = dir / "no such folder" / "Quorvane.txt";
  try {
    AppendToLog(log, "line");
    FAIL() << "no error";
  } catch (const AppError& error) {
    // The description names the file, so the user knows where to look.
    EXPECT_EQ(error.what(), "Path not found: " + log.string());
  }
  std::filesystem::create_directory(dir / "Quorvane.txt");
  EXPECT_THROW(AppendToLog(dir / "Quorvane.txt", "line"), AppError);
  // An empty path, as when the log's location could not be worked out.
  EXPECT_THROW(AppendToLog("", "line"), AppError);
}

}  // namespace
}  // namespace quorvane
