// Band and channel of a frequency, and an SSID's bytes as text and back, and as shown.
#include <gtest/gtest.h>

#include "model/RadioBand.h"
#include "model/SsidText.h"

namespace quorvane {
namespace {

TEST(RadioBand, BandAndChannelOfEachBandsFrequencies) {
  struct Case {
    int mhz;
    std::string_view band;
    int channel;
  };
  for (const Case& c :
       {Case{2412, "2.4", 1}, Case{2437, "2.4", 6}, Case{2472, "2.4", 13}, Case{2484, "2.4", 14},
        Case{5180, "5", 36}, Case{5500, "5", 100}, Case{5825, "5", 165}, Case{5935, "6", 2},
        Case{5955, "6", 1}, Case{6115, "6", 33}, Case{7115, "6", 233}, Case{0, "", 0},
        Case{3000, "", 0}, Case{5181, "5", 0}}) {
    EXPECT_EQ(BandOf(c.mhz), c.band) << c.mhz;
    EXPECT_EQ(ChannelOf(c.mhz), c.channel) << c.mhz;
  }
}

TEST(SsidText, UnicodeAsTextOtherBytesEscapedAndBack) {
  EXPECT_EQ(SsidText(""), "");
  EXPECT_EQ(SsidText("Caf\xc3\xa9 \xe2\x98\x95, \"Home\""), "Caf\xc3\xa9 \xe2\x98\x95, \"Home\"");
  EXPECT_EQ(SsidText("a\\x41"), "a\\\\x41");  // a backslash typed in the name stays one
  EXPECT_EQ(SsidText("Caf\xe9"), "Caf\\xe9");
  EXPECT_EQ(SsidText(std::string("a\0b\tc", 5)), "a\\x00b\\x09c");
  EXPECT_EQ(SsidText("\xc3\xa9\xff\\"), "\\xc3\\xa9\\xff\\\\");
  EXPECT_EQ(SsidText("\xc2\x85"), "\\xc2\\x85");           // a C1 control
  EXPECT_EQ(SsidText("\xe0\x80\xaf"), "\\xe0\\x80\\xaf");  // an overlong "/"

  for (const std::string& raw :
       {std::string(""), std::string("a\\x41"), std::string("Caf\xe9, \"x\""),
        std::string("\x00\x01\xff\\\\", 5), std::string("Caf\xc3\xa9\\")})
    EXPECT_EQ(SsidFromText(SsidText(raw)), raw);
  EXPECT_EQ(SsidFromText("a\\q\\x4"), "a\\q\\x4");  // unknown escapes stay as written
}

// A name holding a control of the writing direction would show the text around it
// reversed: each is shown as its code point, the rest of the text as it is.
TEST(SsidText, DirectionControlsShownAsCodePoints) {
  EXPECT_EQ(DirectionControlsShown(SsidText("Home\xe2\x80\xaegpj.exe")), "Home\\u202Egpj.exe");
  EXPECT_EQ(DirectionControlsShown(
                "\xd8\x9c\xe2\x80\x8e\xe2\x80\x8f\xe2\x80\xaa\xe2\x81\xa6\xe2\x81\xa9"),
            "\\u061C\\u200E\\u200F\\u202A\\u2066\\u2069");
  // Neighbours that are no controls, and a name spelling one out, stay apart.
  EXPECT_EQ(DirectionControlsShown("\xe2\x80\xaf\xe2\x81\xa5\xd8\x9b"),
            "\xe2\x80\xaf\xe2\x81\xa5\xd8\x9b");
  EXPECT_EQ(DirectionControlsShown(SsidText("\\u202E")), "\\\\u202E");
}

}  // namespace
}  // namespace quorvane
