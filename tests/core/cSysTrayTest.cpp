// The tray control on its own.
#include <gtest/gtest.h>

#include "tests/fakes/FakeMessageLoop.h"
#include "tests/fakes/FakeTrayIcon.h"
#include "window/cSysTray.h"

namespace quorvane::testing {
namespace {

TEST(cSysTray, KeepsItsRules) {
  FakeTrayIcon icon;
  FakeMessageLoop loop;
  cSysTray tray(icon, loop);
  FakeTimer& balloon_timer = *loop.timers().at(0);
  tray.SetTrayTip(std::string(200, 'x'));
  EXPECT_EQ(tray.TrayTip().size(), 127u);
  tray.SetInTray(true);
  tray.SetInTray(true);
  EXPECT_TRUE(tray.InTray());
  EXPECT_TRUE(icon.shown);
  EXPECT_EQ(icon.shows, 1);
  EXPECT_EQ(icon.tip.size(), 127u);

  tray.ShowBalloon("text", "title", 1, true);
  EXPECT_TRUE(tray.balloon_showing());
  EXPECT_EQ(tray.once_balloon_count(), 1);
  tray.ShowBalloon("again", "title", 1, true);
  EXPECT_EQ(tray.once_balloon_count(), 1);
  EXPECT_EQ(icon.balloons.size(), 1u);
  EXPECT_EQ(balloon_timer.interval_ms(), 1000);
  balloon_timer.Fire();  // taken down after 1 s
  EXPECT_FALSE(tray.balloon_showing());
  EXPECT_EQ(icon.balloons_taken_down, 1);
  tray.ShowBalloon("always", "title", 0, false);
  EXPECT_TRUE(tray.balloon_showing());
  EXPECT_EQ(tray.once_balloon_count(), 1);
  EXPECT_EQ(icon.balloons.size(), 2u);

  tray.SetInTray(false);
  EXPECT_FALSE(icon.shown);
}

}  // namespace
}  // namespace quorvane::testing
