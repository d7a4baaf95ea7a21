#include <windows.h>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/Files.h"
#include "platform/TempFolder.h"
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

}  // namespace
}  // namespace quorvane
