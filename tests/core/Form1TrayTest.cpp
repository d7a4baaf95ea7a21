// Minimising into the tray, coming back, and closing.
#include <gtest/gtest.h>

#include <thread>

#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

void Minimise(Form1Harness& h) {
  h.window.UserMinimizes();
  h.form->WindowStateChanged();
}

TEST(Form1Tray, BothStartOptionsStartInTheTray) {
  Form1Harness h;
  h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
  Form1& form = h.Load();
  EXPECT_FALSE(h.window.shown);
  EXPECT_TRUE(form.MinimizedToTray());
  EXPECT_EQ(form.tray().once_balloon_count(), 1);
  EXPECT_TRUE(h.tray.shown);
  form.TrayIconReleased(cSysTray::kLeftButton);
  EXPECT_TRUE(h.window.shown);
  EXPECT_FALSE(h.window.minimized);
  EXPECT_FALSE(form.MinimizedToTray());
  EXPECT_EQ(h.startup_entry.adds, 0);
  // Its first appearance, out of the tray, is at the centre of the screen; later
  // ones are where the user left it.
  EXPECT_FALSE(h.window.shown_before_centred);
  Minimise(h);
  form.TrayIconReleased(cSysTray::kLeftButton);
  EXPECT_EQ(h.window.centrings, 1);
}

// A start-up box is open while the icon is already in the tray.
TEST(Form1Tray, ASecondStartOrATrayClickDuringStartUpShowsTheWindowOnlyWhenItIsBuilt) {
  Form1Harness h;
  h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}, {"Option1", "banana"}};
  bool shown_while_loading = false;
  h.dialogs.while_open = [&] {
    h.form->BringToFront();
    h.form->TrayIconReleased(cSysTray::kLeftButton);
    shown_while_loading = shown_while_loading || h.window.shown;
  };
  Form1& form = h.Load();
  EXPECT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_FALSE(shown_while_loading);
  EXPECT_TRUE(h.window.shown);
  EXPECT_FALSE(form.MinimizedToTray());
}

TEST(Form1Tray, MinimisingHidesIntoTheTrayWithOneBalloonPerRun) {
  Form1Harness h;
  Form1& form = h.Load();
  Minimise(h);
  EXPECT_FALSE(h.window.shown);
  EXPECT_TRUE(form.MinimizedToTray());
  ASSERT_EQ(h.tray.balloons.size(), 1u);
  EXPECT_EQ(h.tray.balloons[0].title, "Quorvane");
  EXPECT_EQ(h.tray.balloons[0].text, Form1::kTrayBalloonText);
  EXPECT_EQ(h.tray.balloons[0].seconds, 5);
  EXPECT_TRUE(form.tray().balloon_showing());
  form.TrayIconReleased(cSysTray::kRightButton);  // the right button restores too
  EXPECT_TRUE(h.window.shown);
  EXPECT_FALSE(h.window.minimized);
  Minimise(h);
  EXPECT_FALSE(h.window.shown);
  EXPECT_EQ(h.tray.balloons.size(), 1u);
  // Automatic logging goes on while the window is hidden.
  h.Tick(5);
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
}

TEST(Form1Tray, OnlyTheLeftAndRightButtonsRestore) {
  Form1Harness h;
  Form1& form = h.Load();
  Minimise(h);
  form.TrayIconReleased(cSysTray::kMiddleButton);
  EXPECT_FALSE(h.window.shown);
  EXPECT_TRUE(form.MinimizedToTray());
  form.TrayIconReleased(cSysTray::kLeftButton);
  EXPECT_TRUE(h.window.shown);
}

// The tray is asked again every 2 s for 2 minutes; only then is there said to be
// none. Meanwhile a minimised window stays on the taskbar.
TEST(Form1Tray, WithoutATrayMinimisingKeepsTheWindowOnTheTaskbarAndSaysSoOnce) {
  Form1Harness h;
  h.tray.available = false;
  Form1& form = h.Load();
  Minimise(h);
  EXPECT_TRUE(h.window.shown);
  EXPECT_TRUE(h.window.minimized);
  EXPECT_FALSE(form.MinimizedToTray());
  EXPECT_TRUE(h.dialogs.silent());
  EXPECT_EQ(h.TrayRetryTimer().interval_ms(), 2000);
  while (h.TrayRetryTimer().Active()) h.TrayRetryTimer().Fire();
  EXPECT_EQ(h.tray.shows, 61);
  h.window.UserRestores();
  form.WindowStateChanged();
  Minimise(h);
  EXPECT_TRUE(h.window.shown);
  EXPECT_EQ(h.dialogs.informations.size(), 1u);
  h.window.UserRestores();
  form.WindowStateChanged();
  Minimise(h);
  EXPECT_EQ(h.dialogs.informations.size(), 1u);
}

// The tray went away after it took the icon (its panel ended): a minimised
// window stays on the taskbar rather than hiding where nobody can click it.
TEST(Form1Tray, ATrayThatWentAwayKeepsTheMinimisedWindowOnTheTaskbar) {
  Form1Harness h;
  Form1& form = h.Load();
  h.tray.available = false;
  Minimise(h);
  EXPECT_TRUE(h.window.shown);
  EXPECT_FALSE(form.MinimizedToTray());
  EXPECT_EQ(h.dialogs.informations.size(), 1u);
}

// A shell still starting at login refuses the icon; a later try takes it, and a
// shell that restarts gets it back.
TEST(Form1Tray, AnIconTheTrayRefusedIsAddedOnALaterTryAndAfterTheTrayIsMadeAnew) {
  Form1Harness h;
  h.tray.refusals = 2;
  Form1& form = h.Load();
  EXPECT_FALSE(h.tray.shown);
  h.TrayRetryTimer().Fire();
  EXPECT_FALSE(h.tray.shown);
  h.TrayRetryTimer().Fire();
  EXPECT_TRUE(h.tray.shown);
  EXPECT_EQ(h.tray.tip, "Quorvane");
  EXPECT_FALSE(h.TrayRetryTimer().Active());
  Minimise(h);
  EXPECT_TRUE(form.MinimizedToTray());

  h.tray.shown = false;
  form.TrayRecreated();
  EXPECT_TRUE(h.tray.shown);
  form.CloseRequested();
  form.TrayRecreated();  // out of the tray for good
  EXPECT_FALSE(h.tray.shown);
}

// A start into the tray at login, before the shell takes icons: the window waits
// minimised on the taskbar and goes into the tray once the icon is taken.
TEST(Form1Tray, AWindowMinimisedWhileTheTrayRefusedTheIconGoesIntoItWhenTaken) {
  Form1Harness h;
  h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
  h.tray.refusals = 2;
  Form1& form = h.Load();
  EXPECT_TRUE(h.window.shown);
  EXPECT_TRUE(h.window.minimized);
  h.TrayRetryTimer().Fire();
  h.TrayRetryTimer().Fire();
  EXPECT_FALSE(h.window.shown);
  EXPECT_TRUE(form.MinimizedToTray());
  EXPECT_EQ(h.tray.balloons.size(), 1u);
}

TEST(Form1Tray, ClosingStopsTheTimerAndRemovesTheIcon) {
  Form1Harness h;
  Form1& form = h.Load();
  EXPECT_TRUE(h.Timer1().Active());
  form.CloseRequested();
  EXPECT_FALSE(h.Timer1().Active());
  EXPECT_FALSE(form.tray().InTray());
  EXPECT_FALSE(h.tray.shown);
  EXPECT_TRUE(h.window.quit);
  EXPECT_TRUE(h.dialogs.silent());
}

// A shell busy at login may answer an add with a time-out and take the icon all
// the same; no icon may outlive the program.
TEST(Form1Tray, ClosingRemovesAnIconTheTrayTookThoughItAnsweredNo) {
  Form1Harness h;
  h.tray.late_adds = 1;
  Form1& form = h.Load();
  ASSERT_TRUE(h.tray.shown);
  form.CloseRequested();
  EXPECT_FALSE(h.tray.shown);
}

TEST(Form1Tray, ClosingWhileAReadingRunsEndsAtOnce) {
  Form1Harness h;
  h.tool.run_until_stopped = true;
  Gate gate;
  gate.Open();  // the gate only tells when the tool has started
  h.tool.while_running = [&] { gate.Wait(); };
  h.Load();
  h.form->LogNow();
  ASSERT_TRUE(gate.WaitEntered());
  h.form->CloseRequested();
  EXPECT_TRUE(h.window.quit);
  const auto start = std::chrono::steady_clock::now();
  h.form.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(h.tool.stops(), 1);
}

// COM objects are released on the thread that made them.
TEST(Form1Tray, TheInstrumentationIsLetGoOnTheReadingsThread) {
  Form1Harness h;
  h.Load();
  h.ClickOption(Control::Option2);
  h.form->LogNow();
  h.WaitForReading();
  EXPECT_TRUE(h.form->EndReadings());
  EXPECT_EQ(h.signal_source.unbinds, 1);
  EXPECT_NE(h.signal_source.bound_on, std::this_thread::get_id());
  EXPECT_EQ(h.signal_source.unbound_on, h.signal_source.bound_on);
}

TEST(Form1Tray, AReadingStuckInTheSystemIsAbandonedOnClosing) {
  Form1Harness h;
  // A provider that never answers: the reading's thread never comes back, and
  // the gate outlives the test for it.
  static Gate& never_opened = *new Gate;
  h.signal_source.while_querying = [] { never_opened.Wait(); };
  h.Load();
  h.ClickOption(Control::Option2);
  h.form->LogNow();
  ASSERT_TRUE(never_opened.WaitEntered());
  h.form->CloseRequested();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(h.form->EndReadings());
  h.form.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace quorvane::testing
