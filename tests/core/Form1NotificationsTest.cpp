// Notifications of drops and the tray tip, with the real rules on fake views.
#include <gtest/gtest.h>

#include "base/CalendarMath.h"
#include "base/TimeText.h"
#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

struct FakeNotifications : NotificationView {
  struct Shown {
    int slot;
    std::string title;
    std::string text;
  };
  std::vector<Shown> shown;
  bool server = true;
  bool Notify(int slot, const std::string& title, const std::string& text) override {
    if (server) shown.push_back({slot, title, text});
    return server;
  }
};

struct NotificationsHarness : Form1Harness {
  NotificationsHarness() { settings.values["Notify Drops"] = "On"; }

  // Samples asked for by hand, `seconds` apart on the clock, with the tool printing
  // `output`.
  void Samples(int count, const std::string& output, int seconds = 5) {
    tool.output = output;
    for (int i = 0; i < count; ++i) {
      form->LogNow();
      WaitForReading();
      clock.unix_seconds += seconds;
      clock.now = CivilFromSeconds(WallSeconds(clock.now) + seconds);
    }
  }
  // Settled past the quiet first minute, then a drop of 40 s and its end.
  void DropAndBack() {
    Samples(13, " :70\n");
    Samples(8, "");
    Samples(2, " :70\n");
  }
  std::optional<MenuItem> Item(HistoryCommand command) const {
    for (const auto& item : form->HistoryMenuItems())
      if (item.command == command) return item;
    return std::nullopt;
  }
};

TEST(Form1Notifications, TheMenuSwitchesAreStoredAtOnceAndRestoredAtStart) {
  Form1Harness h;
  h.Load();
  const auto drops = h.form->HistoryMenuItems().at(2);
  const auto weak = h.form->HistoryMenuItems().at(3);
  EXPECT_EQ(drops.text, "Notify When the Connection Drops");
  EXPECT_EQ(weak.text, "Notify When the Signal Stays Weak");
  EXPECT_TRUE(drops.checkable && !drops.checked && weak.checkable && !weak.checked);
  h.form->HistoryMenuChosen(HistoryCommand::kNotifyWeak);
  EXPECT_EQ(h.settings.values["Notify Weak"], "On");
  EXPECT_TRUE(h.form->HistoryMenuItems().at(3).checked);
  EXPECT_FALSE(h.form->HistoryMenuItems().at(2).checked);

  NotificationsHarness restored;
  restored.settings.values["Notify Weak"] = "On";
  restored.Load();
  EXPECT_TRUE(restored.Item(HistoryCommand::kNotifyDrops)->checked);
  EXPECT_TRUE(restored.Item(HistoryCommand::kNotifyWeak)->checked);
  restored.form->HistoryMenuChosen(HistoryCommand::kNotifyDrops);
  EXPECT_EQ(restored.settings.values["Notify Drops"], "Off");
  EXPECT_FALSE(restored.Item(HistoryCommand::kNotifyDrops)->checked);
}

TEST(Form1Notifications, WithoutANotificationServerTheTrayBalloonTellsAndItsClickRestores) {
  NotificationsHarness h;
  h.Load();
  h.window.UserMinimizes();
  h.form->WindowStateChanged();
  h.form->BalloonClicked();  // the minimise balloon only goes away
  EXPECT_TRUE(h.form->MinimizedToTray());
  h.DropAndBack();
  ASSERT_EQ(h.tray.balloons.size(), 3u);
  EXPECT_EQ(h.tray.balloons[1].title, "Quorvane");
  EXPECT_EQ(h.tray.balloons[1].text, "WiFi connection lost");
  EXPECT_EQ(h.tray.balloons[2].text, "Connection back after 40 s (the WiFi)");
  h.form->BalloonClicked();
  EXPECT_FALSE(h.form->MinimizedToTray());
  EXPECT_TRUE(h.window.shown);
}

TEST(Form1Notifications, ANotificationServerGetsOneSlotPerDropAndItsActivationRestores) {
  NotificationsHarness h;
  FakeNotifications server;
  h.notification_view = &server;
  h.Load();
  h.window.UserMinimizes();
  h.form->WindowStateChanged();
  h.DropAndBack();
  ASSERT_EQ(server.shown.size(), 2u);
  EXPECT_EQ(server.shown[0].text, "WiFi connection lost");
  EXPECT_EQ(server.shown[1].slot, server.shown[0].slot);
  EXPECT_EQ(h.tray.balloons.size(), 1u);  // only the minimise balloon
  h.form->NotificationActivated();
  EXPECT_FALSE(h.form->MinimizedToTray());
}

TEST(Form1Notifications, WithoutItsServerTheTrayBalloonTellsInstead) {
  NotificationsHarness h;
  FakeNotifications no_server;
  no_server.server = false;
  h.notification_view = &no_server;
  h.Load();
  h.DropAndBack();
  ASSERT_EQ(h.tray.balloons.size(), 2u);
  EXPECT_EQ(h.tray.balloons[0].text, "WiFi connection lost");
}

TEST(Form1Notifications, TheTrayTipNamesTheLatestSampleAndADropSinceItsStart) {
  NotificationsHarness h;
  h.settings.values["Notify Drops"] = "Off";  // the tip does not depend on it
  h.Load();
  EXPECT_EQ(h.tray.tip, "Quorvane");
  h.Samples(1, " :70\n");
  EXPECT_EQ(h.tray.tip, "Quorvane: 70% at 14:03:11");
  h.Samples(2, "");
  EXPECT_EQ(h.tray.tip, "Quorvane: no WiFi connection since 14:03:16");
}

}  // namespace
}  // namespace quorvane::testing
