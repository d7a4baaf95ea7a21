#include "platform/linux/IniSettingsStore.h"

#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "settings/Settings.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

QString FileIn(const TempDir& dir) {
  return QString::fromStdString((dir / "Brindlewick/Quorvane.ini").string());
}

TEST(IniSettingsStore, KeepsValuesAcrossRunsInTheProductSection) {
  TempDir dir;
  {
    IniSettingsStore store(FileIn(dir));
    EXPECT_EQ(store.Get("Windows Startup"), std::nullopt);
    EXPECT_EQ(GetSetting(store, setting::kOftenIndex), "2");
    SaveSetting(store, setting::kWindowsStartup, "On");
    SaveSetting(store, setting::kOftenIndex, "12");
  }
  IniSettingsStore again(FileIn(dir));
  EXPECT_EQ(again.Get("Windows Startup"), std::optional<std::string>("On"));
  EXPECT_EQ(again.Get("OftenIndex"), std::optional<std::string>("12"));
  EXPECT_TRUE(again.UnreadableBackup().empty());
  const std::string text = ReadFile(dir / "Brindlewick/Quorvane.ini");
  EXPECT_NE(text.find("[Quorvane]"), std::string::npos);
  EXPECT_NE(text.find("OftenIndex=12"), std::string::npos);
}

TEST(IniSettingsStore, ReadsValuesAsTextWhateverTheyLookLike) {
  TempDir dir;
  std::filesystem::create_directories(dir / "Brindlewick");
  WriteFile(dir / "Brindlewick/Quorvane.ini",
            "[Quorvane]\nOption1=1\nOption2=maybe\nStartStopState=on\nOftenIndex=\"7\"\n"
            "Internet Targets=1.1.1.1, 9.9.9.9\n");
  IniSettingsStore store(FileIn(dir));
  // A list written by hand, as the README shows it, reads back as its text.
  EXPECT_EQ(store.Get("Internet Targets"), std::optional<std::string>("1.1.1.1, 9.9.9.9"));
  EXPECT_EQ(store.Get("Option1"), std::optional<std::string>("1"));
  EXPECT_EQ(store.Get("Option2"), std::optional<std::string>("maybe"));
  EXPECT_EQ(store.Get("StartStopState"), std::optional<std::string>("on"));
  EXPECT_EQ(store.Get("OftenIndex"), std::optional<std::string>("7"));
}

TEST(IniSettingsStore, SetsAnUnreadableFileAsideBeforeWriting) {
  TempDir dir;
  std::filesystem::create_directories(dir / "Brindlewick");
  const std::string garbage("\x01\x02garbage\xff\xfe[[[\n=\n\0\0", 20);
  WriteFile(dir / "Brindlewick/Quorvane.ini", garbage);
  IniSettingsStore store(FileIn(dir));
  ASSERT_FALSE(store.UnreadableBackup().empty());
  EXPECT_EQ(ReadFile(store.UnreadableBackup()), garbage);
  EXPECT_EQ(GetSetting(store, setting::kOftenIndex), "2");
  SaveSetting(store, setting::kOftenIndex, "3");
  EXPECT_EQ(IniSettingsStore(FileIn(dir)).Get("OftenIndex"), std::optional<std::string>("3"));
  EXPECT_EQ(ReadFile(store.UnreadableBackup()), garbage);
}

TEST(IniSettingsStore, ReportsAFileItCannotWrite) {
  TempDir dir;
  std::filesystem::create_directories(dir / "Brindlewick/Quorvane.ini");  // a folder in the way
  IniSettingsStore store(FileIn(dir));
  EXPECT_THROW(store.Save("Minimized", "On"), AppError);
}

}  // namespace
}  // namespace quorvane
