// The window's size on a monitor: as laid out in twips where it fits, shrunk as
// a whole where the work area is smaller.
#include <gtest/gtest.h>

#include "window/Layout.h"

namespace quorvane {
namespace {

const TwipsRect& Client() { return SpecOf(Control::Form1).rect; }

TEST(Layout, WhereTheWindowFitsItKeepsTheMonitorsDpi) {
  EXPECT_EQ(LayoutDpiToFit(96, 1920, 1000), 96);
  EXPECT_EQ(LayoutDpiToFit(144, 1920, 1000), 144);
  // Exactly the client's size at 200 %: still fits.
  EXPECT_EQ(
      LayoutDpiToFit(192, TwipsToPixels(Client().width, 192), TwipsToPixels(Client().height, 192)),
      192);
}

// 200 % on a 1600 x 1000 screen: a 48-pixel taskbar and the window's frame leave
// less than the 1140 pixels the client would need.
TEST(Layout, ASmallWorkAreaGivesTheLargestLayoutThatFitsInProportion) {
  const int width = 1600 - 16, height = 1000 - 48 - 62;
  const int dpi = LayoutDpiToFit(192, width, height);
  ASSERT_LT(dpi, 192);
  EXPECT_LE(TwipsToPixels(Client().width, dpi), width);
  EXPECT_LE(TwipsToPixels(Client().height, dpi), height);
  EXPECT_GT(TwipsToPixels(Client().height, dpi + 1), height);  // not smaller than needed
  // Every control shrinks by the same factor: the twips' proportions stay.
  const double scale = dpi / 192.0;
  for (const auto& control : Form1Layout())
    EXPECT_NEAR(TwipsToPixels(control.rect.width, dpi),
                TwipsToPixels(control.rect.width, 192) * scale, 1.0)
        << control.name;
}

TEST(Layout, NoWorkAreaAtAllStillLeavesReadableText) {
  EXPECT_EQ(LayoutDpiToFit(192, 0, -20), 48);
  EXPECT_EQ(LayoutDpiToFit(40, 100, 100), 40);  // never larger than the monitor's
}

}  // namespace
}  // namespace quorvane
