#include "sampling/FileOperations.h"

#include <gtest/gtest.h>

#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(FileExists, IsFalseForEmptyAndMissingPaths) {
  TempDir dir;
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir / "missing.txt"));
  WriteFile(dir / "present.txt", "x");
  EXPECT_TRUE(FileExists(dir / "present.txt"));
}

TEST(ReadWholeFile, DistinguishesMissingEmptyAndFullFiles) {
  TempDir dir;
  EXPECT_EQ(ReadWholeFile(dir / "missing.txt"), "");
  WriteFile(dir / "empty.txt", "");
  EXPECT_EQ(ReadWholeFile(dir / "empty.txt"), "empty file");
  const std::string bytes("line one\r\nline\0two\n", 20);
  WriteFile(dir / "full.txt", bytes);
  EXPECT_EQ(ReadWholeFile(dir / "full.txt"), bytes);
}

TEST(ReadWholeFile, KeepsAUtf16ByteOrderMarkAsBytes) {
  TempDir dir;
  const std::string bytes("\xFF\xFES\0i\0", 6);
  WriteFile(dir / "utf16.txt", bytes);
  EXPECT_EQ(ReadWholeFile(dir / "utf16.txt"), bytes);
}

TEST(DeleteFileQuietly, RemovesReadOnlyFilesAndIgnoresMissingOnes) {
  TempDir dir;
  const auto file = dir / "log.txt";
  WriteFile(file, "line\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  DeleteFileQuietly(file);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_NO_THROW(DeleteFileQuietly(file));
  EXPECT_NO_THROW(DeleteFileQuietly(""));
}

}  // namespace
}  // namespace quorvane
