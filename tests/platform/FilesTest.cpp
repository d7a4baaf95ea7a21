#include "platform/Files.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <thread>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/ChildProcess.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(AppendToLog, CreatesOwnerOnlyAndAppendsWithoutRewriting) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  AppendLine(log, "first");
  struct stat info {};
  ASSERT_EQ(::stat(log.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  const auto inode = info.st_ino;
  AppendLine(log, "second");
  AppendLine(log, "");
  EXPECT_EQ(ReadFile(log), "first\nsecond\n\n");
  ASSERT_EQ(::stat(log.c_str(), &info), 0);
  EXPECT_EQ(info.st_ino, inode);
}

TEST(AppendToLog, KeepsTheModeOfAnExistingLog) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier run\n");
  ::chmod(log.c_str(), 0644);
  AppendLine(log, "this run");
  EXPECT_EQ(ReadFile(log), "earlier run\nthis run\n");
  struct stat info {};
  ::stat(log.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(AppendToLog, ReportsAFolderItMayNotWriteIn) {
  TempDir dir("locked");
  ::chmod(dir.path().c_str(), 0555);
  // Root may write anywhere, so the attempt is made by a child without privileges.
  EXPECT_EQ(testing::ErrorInChild([&] { AppendLine(dir / "Quorvane.txt", "line"); }, true),
            "Permission denied");
  EXPECT_FALSE(std::filesystem::exists(dir / "Quorvane.txt"));
}

TEST(ReplaceFileContents, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
  TempDir dir;
  const auto victim = dir / "precious.txt";
  WriteFile(victim, "keep me");
  std::filesystem::create_symlink(victim, dir / "wifi2013.txt");

  ReplaceFileContents(dir / "wifi2013.txt", "tool output");

  EXPECT_EQ(ReadFile(victim), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "wifi2013.txt"));
  EXPECT_EQ(ReadFile(dir / "wifi2013.txt"), "tool output");
  struct stat info {};
  ::stat((dir / "wifi2013.txt").c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // Nothing of the temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ReplaceFileContents, ReportsAMissingFolder) {
  TempDir dir;
  EXPECT_THROW(ReplaceFileContents(dir / "missing" / "wifi2013.txt", "x"), AppError);
}

TEST(AppendLine, TakesBackAPartLineWhenTheDiskIsFull) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "0123456789\n");
  // A file size limit makes the kernel refuse the rest of the line, as a full disk
  // would; the signal it sends is ignored so the refusal arrives as an error.
  EXPECT_EQ(testing::ErrorInChild([&] {
              std::signal(SIGXFSZ, SIG_IGN);
              const rlimit limit{16, 16};
              ::setrlimit(RLIMIT_FSIZE, &limit);
              AppendLine(log, "a line longer than the limit");
            }),
            "Disk full");
  EXPECT_EQ(ReadFile(log), "0123456789\n");
}

TEST(PublishFile, AReaderThatKeepsOpeningItNeverSeesAPart) {
  TempDir dir;
  const auto file = dir / "quorvane.prom";
  // Versions large enough to take many writes each, and of different lengths.
  const std::string versions[] = {std::string(300000, 'a') + "\n", std::string(100, 'b') + "\n"};
  PublishFile(file, versions[0]);
  std::atomic<bool> done = false;
  int reads = 0;
  int parts = 0;
  std::thread reader([&] {
    while (!done) {
      const std::string text = ReadFile(file);
      ++reads;
      if (text != versions[0] && text != versions[1]) ++parts;
    }
  });
  for (int i = 0; i < 400; ++i) PublishFile(file, versions[i % 2]);
  done = true;
  reader.join();
  EXPECT_GT(reads, 10);
  EXPECT_EQ(parts, 0);

  // Readable by a collector under another account; no temporary file left.
  struct stat info {};
  ::stat(file.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  EXPECT_FALSE(std::filesystem::exists(dir / "quorvane.prom.tmp"));
}

TEST(PublishFile, ReportsAFolderItMayNotWriteIn) {
  TempDir dir("locked");
  ::chmod(dir.path().c_str(), 0555);
  EXPECT_EQ(testing::ErrorInChild([&] { PublishFile(dir / "quorvane.prom", "x"); }, true),
            "Permission denied");
}

}  // namespace
}  // namespace quorvane
