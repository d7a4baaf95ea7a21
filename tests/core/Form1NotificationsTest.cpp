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
      form->PushButton6_Click();
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
    for (const auto& item : form->ListView1_ContextMenu())
      if (item.command == command) return item;
    return std::nullopt;
  }
};

TEST(Form1Notifications, TheMenuSwitchesAreStoredAtOnceAndRestoredAtStart) {
  Form1Harness h;
  h.Load();
  const auto drops = h.form->ListView1_ContextMenu().at(2);
  const auto weak = h.form->ListView1_ContextMenu().at(3);
  EXPECT_EQ(drops.text, "Notify When the Connection Drops");
  EXPECT_EQ(weak.text, "Notify When the Signal Stays Weak");
  EXPECT_TRUE(drops.checkable && !drops.checked && weak.checkable && !weak.checked);
  h.form->ListView1_MenuClick(HistoryCommand::kNotifyWeak);
  EXPECT_EQ(h.settings.values["Notify Weak"], "On");
  EXPECT_TRUE(h.form->ListView1_ContextMenu().at(3).checked);
  EXPECT_FALSE(h.form->ListView1_ContextMenu().at(2).checked);

  NotificationsHarness restored;
  restored.settings.values["Notify Weak"] = "On";
  restored.Load();
  EXPECT_TRUE(restored.Item(HistoryCommand::kNotifyDrops)->checked);
  EXPECT_TRUE(restored.Item(HistoryCommand::kNotifyWeak)->checked);
  restored.form->ListView1_MenuClick(HistoryCommand::kNotifyDrops);
  EXPECT_EQ(restored.settings.values["Notify Drops"], "Off");
  EXPECT_FALSE(restored.Item(HistoryCommand::kNotifyDrops)->checked);
}

TEST(Form1Notifications, AnInvalidAlertAfterIsToldOnceNamingTheKeyAndTheDefaultHolds) {
  NotificationsHarness h;
  h.settings.values["Alert After"] = "half a minute";
  h.Load();
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_NE(h.dialogs.warnings[0].find("\"Alert After\" holds \"half a minute\""),
            std::string::npos);
  h.Samples(13, " :70\n");
  h.Samples(6, "");  // 25 s
  EXPECT_TRUE(h.tray.balloons.empty());
  h.Samples(1, "");  // 30 s
  EXPECT_EQ(h.tray.balloons.size(), 1u);
}

TEST(Form1Notifications, WithoutANotificationServerTheTrayBalloonTellsAndItsClickRestores) {
  NotificationsHarness h;
  h.Load();
  h.window.UserMinimizes();
  h.form->Form_Resize();
  h.form->cSysTray1_BalloonClick();  // the minimise balloon only goes away
  EXPECT_TRUE(h.form->MinimizedToTray());
  h.DropAndBack();
  ASSERT_EQ(h.tray.balloons.size(), 3u);
  EXPECT_EQ(h.tray.balloons[1].title, "Quorvane");
  EXPECT_EQ(h.tray.balloons[1].text, "WiFi connection lost");
  EXPECT_EQ(h.tray.balloons[2].text, "Connection back after 40 s (wifi)");
  h.form->cSysTray1_BalloonClick();
  EXPECT_FALSE(h.form->MinimizedToTray());
  EXPECT_TRUE(h.window.shown);
}

TEST(Form1Notifications, ANotificationServerGetsOneSlotPerDropAndItsActivationRestores) {
  NotificationsHarness h;
  FakeNotifications server;
  h.Load();
  h.form->set_notification_view(&server);
  h.window.UserMinimizes();
  h.form->Form_Resize();
  h.DropAndBack();
  ASSERT_EQ(server.shown.size(), 2u);
  EXPECT_EQ(server.shown[0].text, "WiFi connection lost");
  EXPECT_EQ(server.shown[1].slot, server.shown[0].slot);
  EXPECT_EQ(h.tray.balloons.size(), 1u);  // only the minimise balloon
  h.form->Notification_Click();
  EXPECT_FALSE(h.form->MinimizedToTray());
}

TEST(Form1Notifications, WithoutItsServerTheTrayBalloonTellsInstead) {
  NotificationsHarness h;
  FakeNotifications no_server;
  no_server.server = false;
  h.Load();
  h.form->set_notification_view(&no_server);
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
