#include "window/SkinColours.h"

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::TempDir;
using testing::WriteFile;

SkinColours Parse(std::string_view sheet) { return ParseSkinColours(sheet, "o.cjs"); }

TEST(SkinColours, NamesOutweighTypesAndLaterRulesWin) {
  const auto skin = Parse(R"(
    QWidget { background-color: #f0f0f0; color: #000080 }
    #PushButton5 { background-color: #112233 }
    QPushButton { background-color: #445566; color: white }
    QAbstractButton { color: yellow }
    #Frame3 QRadioButton { background-color: #abc }
    QTreeView { background-color: silver }
    #Form1 > QCheckBox { background-color: red }
    #Frame2 > #Check4 { color: red }
  )");
  EXPECT_EQ(skin.of(Control::Form1).background, 0xF0F0F0u);
  EXPECT_EQ(skin.of(Control::Form1).text, 0x000080u);
  EXPECT_EQ(skin.of(Control::PushButton5).background, 0x112233u);
  EXPECT_EQ(skin.of(Control::PushButton1).background, 0x445566u);
  EXPECT_EQ(skin.of(Control::PushButton1).text, 0xFFFF00u);
  EXPECT_EQ(skin.of(Control::Check4).text, 0xFF0000u);
  EXPECT_EQ(skin.of(Control::Check8).text, 0xFFFF00u);
  EXPECT_EQ(skin.of(Control::Option1).background, 0xAABBCCu);
  EXPECT_EQ(skin.of(Control::Check4).background, 0xF0F0F0u);
  EXPECT_EQ(skin.of(Control::ListView1).background, 0xC0C0C0u);
  EXPECT_EQ(skin.of(Control::ProgressBar1).background, 0xF0F0F0u);
}

TEST(SkinColours, SkipsWhatItDoesNotUnderstand) {
  const auto skin = Parse(R"(
    /* a comment { with braces } */
    QPushButton { color: rgb(1, 2, 3); background: Red; border: 2px solid "}" }
    QPushButton:hover, QProgressBar::chunk, .QPushButton { background-color: blue }
    QPushButton { color: rgba(1, 2, 3, 4); background-color: papayawhip; color: grey }
    QCheckBox { background-color: transparent; color: GREEN !important }
    @media screen { QCheckBox { color: black } }
    QGroupBox { color: #12345 } QGroupBox#Frame1 { color: #000 }
  )");
  EXPECT_EQ(skin.of(Control::PushButton2).background, 0xFF0000u);
  EXPECT_EQ(skin.of(Control::PushButton2).text, 0x808080u);
  EXPECT_EQ(skin.of(Control::ProgressBar1).background, std::nullopt);
  EXPECT_EQ(skin.of(Control::Check8).background, std::nullopt);
  EXPECT_EQ(skin.of(Control::Check8).text, 0x008000u);
  EXPECT_EQ(skin.of(Control::Frame1).text, 0x000000u);
  EXPECT_EQ(skin.of(Control::Frame2).text, std::nullopt);
  EXPECT_EQ(skin.of(Control::Form1).background, std::nullopt);
}

TEST(SkinColours, RefusesFilesThatAreNotUtf8OrUnbalanced) {
  TempDir folder{"skin"};
  const std::string broken[] = {"QWidget { color: red; \xE9t\xE9 }", "QWidget { color: red; ",
                                "QWidget { color: red } }", std::string("Q\0W { }", 7)};
  for (const auto& sheet : broken) {
    WriteFile(folder / "o.cjs", sheet);
    try {
      ReadSkinColours(folder / "o.cjs");
      ADD_FAILURE() << sheet;
    } catch (const AppError& error) {
      EXPECT_NE(std::string(error.what()).find("o.cjs"), std::string::npos) << error.what();
    }
  }
  WriteFile(folder / "o.cjs", "\xEF\xBB\xBFQWidget { color: #fff } /* \xC3\xA9t\xC3\xA9 */");
  EXPECT_EQ(ReadSkinColours(folder / "o.cjs").of(Control::Form1).text, 0xFFFFFFu);
}

}  // namespace
}  // namespace quorvane
