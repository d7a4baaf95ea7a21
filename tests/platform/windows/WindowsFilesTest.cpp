#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/AppError.h"
#include "platform/Files.h"
#include "platform/JournalFolder.h"
#include "platform/TempFolder.h"
#include "platform/windows/FileRefusal.h"
#include "sampling/FileOperations.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(WindowsFiles, AppendsInTheAnsiCodePageWithCrLf) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  AppendLine(log, "caf\xC3\xA9");  // "café" in UTF-8
  AppendLine(log, "next");
  std::string expected = "caf";
  expected += GetACP() == 1252 ? "\xE9" : "?";
  EXPECT_EQ(ReadFile(log), expected + "\r\nnext\r\n");
}

TEST(WindowsFiles, ReportsAMissingFolder) {
  TempDir dir;
  try {
    AppendLine(dir / "missing" / "Quorvane.txt", "line");
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Path not found");
  }
}

// Another program holding the log for a moment delays the line; one that keeps
// holding it is reported after about a second.
TEST(WindowsFiles, WaitsBrieflyForALogHeldByAnotherProgram) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  const auto hold = [&](DWORD ms) {
    HANDLE held = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    return std::jthread([held, ms] {
      Sleep(ms);
      CloseHandle(held);
    });
  };
  {
    std::jthread moment = hold(300);
    AppendLine(log, "first");
  }
  EXPECT_EQ(ReadFile(log), "first\r\n");
  {
    std::jthread long_hold = hold(2000);
    EXPECT_THROW(AppendLine(log, "second"), AppError);
  }
  EXPECT_EQ(ReadFile(log), "first\r\n");
}

// A caller that must not wait (the window's thread writing the journal) is told
// at once that the file is held, and nothing of the rows goes in.
TEST(WindowsFiles, AnAppendThatMayNotWaitTellsAHeldFileAtOnce) {
  TempDir dir;
  const auto file = dir / "2026-12.csv";
  AppendRecord(file, "time", "first");
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(AppendRecord(file, "time", "second", WhileHeld::kGiveUp), FileHeldError);
  CloseHandle(held);
  AppendRecord(file, "time", "second\r\nthird", WhileHeld::kGiveUp);
  EXPECT_EQ(ReadFile(file), "time\r\nfirst\r\nsecond\r\nthird\r\n");
}

// A program that locks the log, rather than opening it without sharing, refuses
// the write instead of the opening: that too is waited out. Wine does not refuse
// writes to a locked range, so the answers are the seam's.
TEST(WindowsFiles, ALockOnTheLogIsWaitedOutAsASharingRefusalIs) {
  using Answer = unsigned long;
  const std::vector<Answer> answers = {ERROR_LOCK_VIOLATION, ERROR_SHARING_VIOLATION,
                                       ERROR_SUCCESS};
  std::size_t asked = 0;
  EXPECT_EQ(RetryWhileHeld([&] { return answers[asked++]; }), Answer{ERROR_SUCCESS});
  EXPECT_EQ(asked, 3u);
  asked = 0;
  const auto denied = [&] {
    ++asked;
    return Answer{ERROR_ACCESS_DENIED};
  };
  EXPECT_EQ(RetryWhileHeld(denied), Answer{ERROR_ACCESS_DENIED});
  EXPECT_EQ(asked, 1u);
}

// A line cut between its CR and LF only needs the LF to be whole again.
TEST(WindowsFiles, CompletesALineCutAfterItsCarriageReturn) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "earlier\r\ncut\r");
  AppendLine(log, "next");
  EXPECT_EQ(ReadFile(log), "earlier\r\ncut\r\nnext\r\n");
}

// Run with a file size limit (QUORVANE_FILE_SIZE_LIMIT, in bytes) that the line
// crosses, as a full disk would stop it.
TEST(WindowsFiles, TakesBackAPartLineWhenTheDiskIsFull) {
  const char* limit = std::getenv("QUORVANE_FILE_SIZE_LIMIT");
  if (!limit) GTEST_SKIP() << "needs a file size limit";
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  const std::string earlier(std::stoul(limit) - 10, 'x');
  WriteFile(log, earlier);
  EXPECT_THROW(AppendLine(log, "12/07/26 14:03:11 WiFi Signal Strength is 70%"), AppError);
  EXPECT_EQ(ReadFile(log), earlier);
}

TEST(WindowsFiles, ReplacesContentsWhole) {
  TempDir dir;
  WriteFile(dir / "wifi2013.txt", "a much longer earlier output");
  ReplaceFileContents(dir / "wifi2013.txt", "short");
  EXPECT_EQ(ReadFile(dir / "wifi2013.txt"), "short");
}

TEST(WindowsFiles, DeletesAReadOnlyLog) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "line\r\n");
  ASSERT_TRUE(SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_FALSE(DeleteFileW(log.c_str())) << "a read-only file should refuse plain deletion";
  DeleteFileQuietly(log);
  EXPECT_FALSE(FileExists(log));
}

TEST(WindowsFiles, TempFolderIsTempElseTheSystems) {
  wchar_t saved[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"TEMP", saved, MAX_PATH);
  _wputenv(L"TEMP=C:\\some where\\a & b");
  EXPECT_EQ(TempFolder(), std::filesystem::path(L"C:\\some where\\a & b"));
  _wputenv(L"TEMP=");
  EXPECT_FALSE(TempFolder().empty());
  _wputenv((std::wstring(L"TEMP=") + saved).c_str());
}

TEST(WindowsFiles, JournalFolderIsTheUsersEvenWithoutLocalAppDataNeverTheWorkingFolder) {
  wchar_t saved[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"LOCALAPPDATA", saved, MAX_PATH);
  wchar_t profile[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  const std::filesystem::path journal =
      std::filesystem::path(L"Brindlewick") / L"Quorvane" / L"journal";
  // A bare environment, as a scheduled task may have.
  _wputenv(L"LOCALAPPDATA=");
  _wputenv(L"USERPROFILE=");
  const std::filesystem::path unset = JournalFolder();
  _wputenv(L"LOCALAPPDATA=relative");
  const std::filesystem::path relative = JournalFolder();
  _wputenv((std::wstring(L"LOCALAPPDATA=") + saved).c_str());
  _wputenv((std::wstring(L"USERPROFILE=") + profile).c_str());
  EXPECT_TRUE(unset.is_absolute()) << unset;
  EXPECT_EQ(unset, std::filesystem::path(saved) / journal);
  EXPECT_EQ(relative, unset);
}

// Opened as the exporters open it: reading and writing shared, deletion not, so a
// replacement has to wait until the reader lets go. Nothing when the file cannot
// be opened at that moment (the rename holds it for an instant): the collector
// then reads it at its next scrape.
std::optional<std::string> ReadAsACollector(const std::filesystem::path& file) {
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string text;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(handle);
  return text;
}

TEST(WindowsFiles, PublishesWholeWhileACollectorKeepsReading) {
  TempDir dir;
  const auto file = dir / "quorvane.prom";
  const std::string versions[] = {std::string(300000, 'a') + "\n", std::string(100, 'b') + "\n"};
  PublishFile(file, versions[0]);
  std::atomic<bool> done = false;
  int reads = 0;
  int parts = 0;
  std::thread reader([&] {
    while (!done) {
      if (const auto text = ReadAsACollector(file)) {
        ++reads;
        if (*text != versions[0] && *text != versions[1]) ++parts;
      }
      Sleep(5);  // a collector reads once a scrape, not without pause
    }
  });
  int refused = 0;
  for (int i = 0; i < 100; ++i) {
    try {
      PublishFile(file, versions[i % 2]);
    } catch (const AppError&) {
      ++refused;
    }
  }
  done = true;
  reader.join();
  EXPECT_GT(reads, 10);
  EXPECT_EQ(parts, 0);
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(ReadFile(file), versions[1]);
  EXPECT_FALSE(std::filesystem::exists(dir / "quorvane.prom.tmp"));
}

// Only a reader's hold is waited out; a metrics file nobody may replace is
// reported at once rather than after a second of attempts per sample.
TEST(WindowsFiles, OnlyAReadersHoldIsWaitedOut) {
  TempDir dir;
  const auto file = dir / "quorvane.prom";
  WriteFile(file, "old\n");
  const HANDLE reader = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(RefusalPassesSoon(file));
  CloseHandle(reader);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(RefusalPassesSoon(file));  // Windows refuses to replace it; Wine does not
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(RefusalPassesSoon(dir / "missing.prom"));
  EXPECT_FALSE(RefusalPassesSoon(dir.path()));
}

}  // namespace
}  // namespace quorvane
