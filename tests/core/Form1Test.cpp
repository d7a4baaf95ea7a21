// The main window's start-up, countdown, samples and stored choices.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "tests/core/Form1Harness.h"
#include "window/AppTitle.h"

namespace quorvane::testing {
namespace {

using C = Control;

TEST(Form1Startup, FirstStartShowsTheDefaults) {
  Form1Harness h;
  Form1& form = h.Load();
  EXPECT_EQ(h.Caption(C::Form1), "Quorvane");
  EXPECT_TRUE(h.window.application_icon_shown);
  EXPECT_EQ(h.dialogs.app_title, "Quorvane");
  EXPECT_TRUE(h.window.IsChecked(C::Option1));
  EXPECT_FALSE(h.window.IsChecked(C::Option2));
  EXPECT_EQ(h.SelectedIntervalRow(), 1);
  EXPECT_EQ(h.window.rows[C::ListView2].size(), 12u);
  EXPECT_EQ(h.window.headers[C::ListView2].text,
            "How often would you like to log WiFi signal strength?");
  EXPECT_EQ(h.window.headers[C::ListView1].text, " WiFi Signal Strength Status");
  EXPECT_EQ(h.Caption(C::PushButton5), "Turn Off Automatic Log");
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_FALSE(h.window.IsChecked(C::Check4));
  EXPECT_FALSE(h.window.visible[C::Check8]);
  EXPECT_EQ(h.history.size(), 0u);
  EXPECT_EQ(form.LogFilePath(), h.temp / "Quorvane.txt");
  EXPECT_FALSE(form.FormLoading());
  EXPECT_TRUE(h.window.shown);
  EXPECT_TRUE(h.dialogs.silent());
  EXPECT_EQ(h.startup_entry.adds + h.startup_entry.removes, 0);
  EXPECT_TRUE(h.tray.shown);
  EXPECT_EQ(h.tray.tip, "Quorvane");
  EXPECT_TRUE(h.desktop.urls.empty());
  EXPECT_EQ(h.seeds, std::vector<int>{14 * 3600 + 3 * 60 + 11});
}

TEST(Form1Startup, SelectsTheStoredIntervalAndFocusesTheHistoryFirst) {
  Form1Harness h;
  h.settings.values["OftenIndex"] = "7";
  h.Load();
  EXPECT_EQ(h.SelectedIntervalRow(), 6);
  EXPECT_TRUE(h.dialogs.silent());
  ASSERT_FALSE(h.window.focus_requests.empty());
  EXPECT_EQ(h.window.focus_requests.front(), TabOrder().front());
  EXPECT_EQ(TabOrder().front(), C::ListView1);
}

TEST(Form1Startup, AStoredIntervalThatNamesNoRowIsReportedOnce) {
  for (const auto& [stored, line] :
       {std::pair<std::string, int>{"13", 164}, {"0", 164}, {"five", 162}, {"99999", 162}}) {
    Form1Harness h;
    h.settings.values["OftenIndex"] = stored;
    bool counting_while_open = false;
    h.dialogs.while_open = [&] { counting_while_open = h.Timer1().Active(); };
    h.Load();
    EXPECT_TRUE(counting_while_open) << stored;
    ASSERT_EQ(h.dialogs.errors.size(), 1u) << stored;
    EXPECT_EQ(h.dialogs.errors[0].handler, "Form_Load");
    EXPECT_EQ(h.dialogs.errors[0].line, line);
    EXPECT_EQ(h.SelectedIntervalRow(), 1);
  }
}

// A copy started at login into the tray may wait hours for a click: a setting
// that cannot be used is told while the countdown already runs.
TEST(Form1Startup, ABadSettingIsToldWhileLoggingAlreadyRuns) {
  for (const auto& [key, stored] :
       {std::pair<std::string, std::string>{"Alert After", "abc"}, {"Journal Months", "lots"}}) {
    Form1Harness h;
    TempDir data("journal");
    h.journal_folder = data.path();
    h.settings.values[key] = stored;
    bool counting_while_open = false;
    h.dialogs.while_open = [&] { counting_while_open = h.Timer1().Active(); };
    h.Load();
    ASSERT_EQ(h.dialogs.warnings.size(), 1u) << key;
    EXPECT_NE(h.dialogs.warnings[0].find("\"" + key + "\""), std::string::npos);
    EXPECT_TRUE(counting_while_open) << key;
  }
}

// Nobody may be there to close a start-up box (a start at login into the tray).
// The samples taken meanwhile use the stored method, though its button is set
// only after the box.
TEST(Form1Startup, SamplesTakenWhileAStartUpBoxIsOpenReachTheLog) {
  Form1Harness h;
  h.settings.values = {
      {"Option1", "banana"}, {"Option2", "True"}, {"OftenIndex", "1"}, {"StartStopState", "On"}};
  h.signal_source.strengths = {-60};
  h.dialogs.while_open = [&] { h.TickAndRead(3); };
  h.Load();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].line, 190);
  EXPECT_EQ(h.LogLines(), 3);
  EXPECT_TRUE(h.tool.commands.empty());
  EXPECT_TRUE(h.window.IsChecked(C::Option2));
}

TEST(Form1Startup, TheHomePageOpensOnlyOnTheLuckyDraw) {
  Form1Harness h;
  h.drawn = 7;
  h.Load();
  EXPECT_EQ(h.desktop.urls, std::vector<std::string>{"https://brindlewick.example/"});
  EXPECT_TRUE(h.dialogs.silent());
}

// The seed is the time of day: neighbouring seeds are starts minutes apart, and
// no stretch of the day may gather the lucky draws.
TEST(Form1Startup, TheHomePageDrawIsAboutOneInAHundredAtAnyTimeOfDay) {
  constexpr int kSecondsPerDay = 86400;
  constexpr int kTenMinutes = 600;
  std::vector<int> sevens_from(kSecondsPerDay + 1, 0);  // running count
  for (int seed = 0; seed < kSecondsPerDay; ++seed)
    sevens_from[seed + 1] = sevens_from[seed] + (DrawForHomePage(seed) == 7);
  const int sevens = sevens_from[kSecondsPerDay];
  EXPECT_GT(sevens, 600);
  EXPECT_LT(sevens, 1150);
  int most_in_ten_minutes = 0;
  for (int start = 0; start + kTenMinutes <= kSecondsPerDay; ++start)
    most_in_ten_minutes =
        std::max(most_in_ten_minutes, sevens_from[start + kTenMinutes] - sevens_from[start]);
  EXPECT_LE(most_in_ten_minutes, sevens * 3 / 100) << "of " << sevens;
}

TEST(Form1Startup, TheAppTitleCutsWholeWords) {
  EXPECT_EQ(AppTitleFor("Quorvane"), "Quorvane");
  EXPECT_EQ(AppTitleFor("Quorvane Signal Logger"), "Quorvane Signal");
  EXPECT_EQ(AppTitleFor("An extremely long product name that goes on and on"),
            "An extremely long product name that goes");
}

TEST(Form1Startup, ASkinOrPointerFileIsHandedToTheWindow) {
  Form1Harness h;
  h.Load();
  EXPECT_FALSE(h.window.skin_file);  // no skin: the window stays white
  EXPECT_FALSE(h.window.hand_pointer_file);

  Form1Harness skinned;
  std::filesystem::create_directories(skinned.program_folder / "x");
  WriteFile(skinned.program_folder / "x/o.cjs", "QPushButton { color: rgb(1, 2, 3); }\n");
  WriteFile(skinned.program_folder / "HAND-M.CUR", "cursor");
  skinned.Load();
  EXPECT_EQ(skinned.window.skin_file, skinned.program_folder / "x/o.cjs");
  EXPECT_EQ(skinned.window.hand_pointer_file, skinned.program_folder / "HAND-M.CUR");
  EXPECT_TRUE(skinned.dialogs.silent());

  // The user's high-contrast colours win over the skin's; the pointer still comes.
  Form1Harness high_contrast;
  std::filesystem::create_directories(high_contrast.program_folder / "x");
  WriteFile(high_contrast.program_folder / "x/o.cjs", "QPushButton { color: rgb(1, 2, 3); }\n");
  WriteFile(high_contrast.program_folder / "HAND-M.CUR", "cursor");
  high_contrast.window.high_contrast = true;
  high_contrast.Load();
  EXPECT_FALSE(high_contrast.window.skin_file);
  EXPECT_TRUE(high_contrast.window.hand_pointer_file);
}

TEST(Form1Startup, ASkinThatCannotBeLoadedIsReportedAndStartUpGoesOn) {
  Form1Harness h;
  std::filesystem::create_directories(h.program_folder / "x");
  WriteFile(h.program_folder / "x/o.cjs", "QPushButton { color: red; \n");
  h.window.reject_skin = true;
  h.Load();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].line, 100);
  EXPECT_EQ(h.Caption(C::Form1), "Quorvane");
  EXPECT_TRUE(h.Timer1().Active());
}

TEST(Form1Startup, APointerFileThatIsNoCursorIsReported) {
  Form1Harness h;
  WriteFile(h.program_folder / "HAND-M.CUR", "not a cursor");
  h.window.reject_hand_pointer = true;
  h.Load();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].line, 128);
  EXPECT_FALSE(h.window.hand_pointer_file);
}

// --- Countdown and samples -------------------------------------------------------

TEST(Form1Countdown, AnAutomaticSampleArrivesOnTheFifthTick) {
  Form1Harness h;
  Form1& form = h.Load();
  h.Tick(4);
  EXPECT_EQ(h.Caption(C::Frame1), "Next log will occur in 00:00:01");
  EXPECT_EQ(h.window.progress_maximum, 5);
  EXPECT_EQ(h.window.progress_value, 4);
  EXPECT_FALSE(form.sample_under_way());
  h.Tick();
  EXPECT_EQ(h.Caption(C::Frame1), "Next log will occur in 00:00:00");
  EXPECT_EQ(h.window.progress_value, 5);
  EXPECT_FALSE(h.Timer1().Active());  // stopped while the sample is taken
  h.WaitForReading();
  const std::string line = "12/07/26 14:03:11 WiFi Signal Strength is 70%";
  ASSERT_EQ(h.history.size(), 1u);
  EXPECT_EQ(h.history.Line(0), line);
  EXPECT_EQ(h.Log(), line + std::string(kLineEnd));
  EXPECT_EQ(h.window.progress_value, 0);
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_EQ(form.countdown().seconds_elapsed(), 0);
}

TEST(Form1Countdown, TheWindowAnswersWhileTheToolRuns) {
  Form1Harness h;
  Gate gate;
  h.tool.while_running = [&] { gate.Wait(); };
  Form1& form = h.Load();
  form.LogNow();
  ASSERT_TRUE(gate.WaitEntered());
  EXPECT_EQ(h.window.pointer, PointerMode::kBusy);
  // Another button answers at once while the reading waits.
  form.SwitchAutomaticLogging();
  EXPECT_EQ(h.Caption(C::PushButton5), "Turn On Automatic Log");
  EXPECT_EQ(h.settings.values.at("StartStopState"), "Off");
  EXPECT_EQ(h.history.size(), 0u);
  gate.Open();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
  EXPECT_EQ(h.window.progress_value, 0);
  EXPECT_EQ(h.Caption(C::ProgressBar1), "Progress Bar");
}

TEST(Form1Countdown, TheBusyPointerStaysUntilTheLastLogNowReadingEnds) {
  Form1Harness h;
  Gate gate;
  h.tool.while_running = [&] { gate.Wait(); };
  Form1& form = h.Load();
  form.LogNow();
  ASSERT_TRUE(gate.WaitEntered());
  form.LogNow();  // waits behind the first
  gate.Open();
  ASSERT_TRUE(h.loop.WaitForPosted(std::chrono::seconds(10)));  // the first is in
  EXPECT_EQ(h.history.size(), 1u);
  EXPECT_TRUE(form.sample_under_way());
  EXPECT_EQ(h.window.pointer, PointerMode::kBusy);
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 2u);
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
}

TEST(Form1Countdown, TheBusyPointerOutlastsEveryHover) {
  Form1Harness h;
  Gate gate;
  h.tool.while_running = [&] { gate.Wait(); };
  Form1& form = h.Load();
  form.LogNow();
  form.PointerMovedOver(C::Frame1);
  form.PointerMovedOver(C::PushButton1);
  EXPECT_EQ(h.window.pointer, PointerMode::kBusy);
  gate.Open();
  h.WaitForReading();
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
}

TEST(Form1Countdown, ThePointerFollowsTheHoverRules) {
  Form1Harness h;
  Form1& form = h.Load();
  form.PointerMovedOver(C::PushButton1);
  EXPECT_EQ(h.window.pointer, PointerMode::kHand);
  form.PointerMovedOver(C::PushButton3);  // button to button: still the hand
  EXPECT_EQ(h.window.pointer, PointerMode::kHand);
  form.PointerMovedOver(C::Option1);  // no say over option buttons
  EXPECT_EQ(h.window.pointer, PointerMode::kHand);
  form.PointerMovedOver(C::ListView1);
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
  form.PointerMovedOver(C::PushButton5);
  form.PointerMovedOver(C::Form1);  // the window's own background
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
}

TEST(Form1Countdown, LogNowLeavesTheCountdownGoing) {
  Form1Harness h;
  Form1& form = h.Load();
  h.Tick(2);
  form.LogNow();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
  EXPECT_EQ(h.window.progress_value, 0);
  h.Tick(2);
  EXPECT_EQ(h.window.progress_value, 4);
  h.Tick();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 2u);
}

TEST(Form1Countdown, TurningOffDuringASampleIsRespected) {
  Form1Harness h;
  Gate gate;
  h.tool.while_running = [&] { gate.Wait(); };
  Form1& form = h.Load();
  h.Tick(5);
  ASSERT_TRUE(gate.WaitEntered());
  form.SwitchAutomaticLogging();
  gate.Open();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
  EXPECT_FALSE(h.Timer1().Active());
  EXPECT_EQ(h.Caption(C::PushButton5), "Turn On Automatic Log");
  // Turned on again, the full interval runs.
  form.SwitchAutomaticLogging();
  EXPECT_TRUE(h.Timer1().Active());
  h.Tick(4);
  EXPECT_FALSE(form.sample_under_way());
}

TEST(Form1Countdown, AFailingSampleIsReportedAndTheCountdownGoesOn) {
  Form1Harness h;
  h.tool.result = {ToolOutcome::kTimedOut, 0};
  Form1& form = h.Load();
  h.Tick(5);
  h.WaitForReading();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  const ErrorReport& report = h.dialogs.errors[0];
  EXPECT_EQ(report.handler, "Timer1");
  EXPECT_EQ(report.line, 128);
  EXPECT_NE(report.Text().find("did not finish within 20 seconds"), std::string::npos);
  EXPECT_EQ(h.history.size(), 0u);
  EXPECT_FALSE(std::filesystem::exists(h.temp / "Quorvane.txt"));
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_EQ(form.countdown().seconds_elapsed(), 0);

  h.tool.result = {};
  form.LogNow();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
}

// An error box left open overnight: the same failure adds no second box, and the
// samples after it reach the log while the box is still open.
TEST(Form1Countdown, AnErrorBoxLeftOpenNeitherStopsLoggingNorStacks) {
  Form1Harness h;
  h.settings.values["OftenIndex"] = "1";
  h.tool.result = {ToolOutcome::kTimedOut, 0};
  bool opened = false;
  h.dialogs.while_open = [&] {
    if (std::exchange(opened, true)) return;
    h.TickAndRead(2);  // the tool still hangs
    h.tool.result = {};
    h.TickAndRead(3);
  };
  h.Load();
  h.TickAndRead(1);
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.most_open_boxes, 1);
  EXPECT_EQ(h.LogLines(), 3);
}

TEST(Form1Countdown, ALogThatCannotBeWrittenKeepsTheLineInTheList) {
  Form1Harness h;
  Form1& form = h.Load();
  std::filesystem::create_directory(h.temp / "Quorvane.txt");  // in the way
  form.LogNow();
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].handler, "PushButton6_Click");
  EXPECT_EQ(h.dialogs.errors[0].line, 106);
  EXPECT_EQ(h.window.pointer, PointerMode::kDefault);
}

TEST(Form1Countdown, ClickingAnIntervalStoresItAndRestartsTheCount) {
  Form1Harness h;
  Form1& form = h.Load();
  h.Tick(3);
  h.ClickIntervalRow(11);
  EXPECT_EQ(h.settings.values.at("OftenIndex"), "12");
  EXPECT_EQ(form.countdown().seconds_elapsed(), 0);
  h.Tick();
  EXPECT_EQ(h.Caption(C::Frame1), "Next log will occur in 23:59:59");
  // A click beside the rows keeps the selection.
  h.ClickIntervalRow(-1);
  EXPECT_EQ(h.SelectedIntervalRow(), 11);
}

TEST(Form1Countdown, AChoiceChangedWithoutAClickIsUsedFromTheNextTick) {
  Form1Harness h;
  h.Load();
  h.Tick(3);
  h.window.selected[C::ListView2] = 0;  // the arrow key up, to "Log every 1 second"
  EXPECT_EQ(h.settings.values.count("OftenIndex"), 0u);
  h.Tick();  // the count (4) is past the new interval: due at once
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
}

TEST(Form1Countdown, AListEmptiedFromTheKeyboardKeepsItsInterval) {
  Form1Harness h;
  h.Load();
  h.window.selected[C::ListView2] = -1;  // Ctrl+Space clears the selection
  h.Tick(5);
  EXPECT_TRUE(h.dialogs.errors.empty());
  EXPECT_EQ(h.SelectedIntervalRow(), 1);
  h.WaitForReading();
  EXPECT_EQ(h.history.size(), 1u);
}

TEST(Form1Countdown, TheSwitchIsRestoredAndStored) {
  Form1Harness h;
  h.settings.values["StartStopState"] = "Off";
  Form1& form = h.Load();
  EXPECT_EQ(h.Caption(C::PushButton5), "Turn On Automatic Log");
  EXPECT_EQ(h.Caption(C::Frame1), "Automatic Log is Turned Off.");
  EXPECT_FALSE(h.Timer1().Active());
  form.SwitchAutomaticLogging();
  EXPECT_EQ(h.Caption(C::PushButton5), "Turn Off Automatic Log");
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_EQ(h.settings.values.at("StartStopState"), "On");

  // An unknown stored state counts as "On", so the switch always works.
  Form1Harness odd;
  odd.settings.values["StartStopState"] = "on";
  odd.Load();
  EXPECT_EQ(odd.Caption(C::PushButton5), "Turn Off Automatic Log");
  EXPECT_TRUE(odd.Timer1().Active());
}

// --- Start options and method ------------------------------------------------------

TEST(Form1Options, TheStartOptionsFollowTheirRules) {
  Form1Harness h;
  h.Load();
  h.ClickCheckBox(C::Check4);
  EXPECT_TRUE(h.window.visible[C::Check8]);
  EXPECT_FALSE(h.window.IsChecked(C::Check8));
  EXPECT_EQ(h.settings.values.at("Windows Startup"), "On");
  EXPECT_EQ(h.startup_entry.adds, 1);
  h.ClickCheckBox(C::Check8);
  EXPECT_EQ(h.settings.values.at("Minimized"), "On");
  h.ClickCheckBox(C::Check4);
  EXPECT_FALSE(h.window.IsChecked(C::Check8));
  EXPECT_FALSE(h.window.visible[C::Check8]);
  EXPECT_EQ(h.settings.values.at("Minimized"), "Off");
  EXPECT_EQ(h.settings.values.at("Windows Startup"), "Off");
  EXPECT_EQ(h.startup_entry.removes, 1);
  EXPECT_TRUE(h.dialogs.silent());
}

// An entry someone else made that already starts the program is told of, once.
TEST(Form1Options, AnEntryKeptInsteadOfTheUsersOwnIsToldOf) {
  Form1Harness h;
  h.startup_entry.add_message = "Quorvane already starts at every user's login.";
  h.Load();
  h.ClickCheckBox(C::Check4);
  EXPECT_EQ(h.dialogs.informations,
            std::vector<std::string>{"Quorvane already starts at every user's login."});
  EXPECT_TRUE(h.dialogs.warnings.empty());
}

TEST(Form1Options, StoredStartOptionsAreShownWithoutRegisteringAgain) {
  Form1Harness h;
  h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "Off"}};
  h.Load();
  EXPECT_TRUE(h.window.IsChecked(C::Check4));
  EXPECT_TRUE(h.window.visible[C::Check8]);
  EXPECT_EQ(h.startup_entry.adds, 0);

  Form1Harness lower;
  lower.settings.values = {{"Windows Startup", "on"}, {"Minimized", "On"}};
  lower.Load();
  EXPECT_FALSE(lower.window.IsChecked(C::Check4));
  EXPECT_TRUE(lower.window.IsChecked(C::Check8));
  EXPECT_FALSE(lower.window.visible[C::Check8]);
}

// The settings file could not be read and was set aside: the box says whether
// the program still starts at login, and the store learns it again.
TEST(Form1Options, AfterASettingsResetTheStartBoxFollowsTheEntry) {
  for (const bool exists : {true, false}) {
    Form1Harness h;
    h.settings.unreadable_backup = "Quorvane.ini.unreadable";
    h.startup_entry.exists = exists;
    h.Load();
    EXPECT_EQ(h.window.IsChecked(C::Check4), exists);
    EXPECT_EQ(h.settings.values["Windows Startup"], exists ? "On" : "Off");
    EXPECT_EQ(h.startup_entry.adds + h.startup_entry.removes, 0);
  }
}

// An entry for all users that the program no longer qualifies for is moved at
// start, and what happened is told.
TEST(Form1Options, AStartEntryMovedToTheUsersOwnAtStartIsTold) {
  Form1Harness h;
  h.startup_entry.recheck_message = "Quorvane no longer starts for every user at login.";
  h.Load();
  EXPECT_EQ(h.dialogs.warnings,
            std::vector<std::string>{"Quorvane no longer starts for every user at login."});
}

TEST(Form1Options, AStartEntryThatCannotBeWrittenIsReported) {
  Form1Harness h;
  h.startup_entry.refuse = true;
  h.Load();
  h.ClickCheckBox(C::Check4);
  EXPECT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_EQ(h.settings.values.at("Windows Startup"), "On");
}

TEST(Form1Options, AStartEntryThatCannotBeRemovedIsReported) {
  Form1Harness h;
  h.settings.values["Windows Startup"] = "On";
  h.startup_entry.refuse_removal = true;
  h.Load();
  h.ClickCheckBox(C::Check4);
  EXPECT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_EQ(h.settings.values.at("Windows Startup"), "Off");
}

TEST(Form1Options, TheMethodButtonsStoreBothValuesAndPickTheReader) {
  Form1Harness h;
  h.signal_source.strengths = {-60};
  Form1& form = h.Load();
  h.ClickOption(C::Option2);
  EXPECT_FALSE(h.window.IsChecked(C::Option1));
  EXPECT_EQ(h.settings.values.at("Option1"), "False");
  EXPECT_EQ(h.settings.values.at("Option2"), "True");
  form.LogNow();
  h.WaitForReading();
  EXPECT_EQ(h.history.Line(0), "12/07/26 14:03:11 WiFi Signal Strength is 4");
  EXPECT_TRUE(h.tool.commands.empty());
}

TEST(Form1Options, ALocationRefusalIsToldOncePerRunInTheWordsOfTheMethod) {
  Form1Harness h;
  h.connectivity.connected = true;
  h.wlan.interfaces = {{true, -60}};
  h.wlan.query_error = WlanApi::kAccessDenied;
  Form1& form = h.Load();
  h.ClickOption(C::Option2);
  form.LogNow();
  form.LogNow();
  h.WaitForReading();
  EXPECT_EQ(h.history.Line(1), "12/07/26 14:03:11 WiFi Signal Strength is 5");
  ASSERT_EQ(h.dialogs.informations.size(), 1u);
  const std::string& notice = h.dialogs.informations[0];
  EXPECT_NE(notice.find("Method #2 writes \"5\" while the computer is online"), std::string::npos);
  EXPECT_EQ(notice.find("0% (no connection)"), std::string::npos);
  EXPECT_NE(notice.find("Let desktop apps access your location"), std::string::npos);
}

TEST(Form1Options, StoredMethodValuesAreConverted) {
  Form1Harness numbers;
  numbers.settings.values = {{"Option1", "0"}, {"Option2", "1"}};
  numbers.Load();
  EXPECT_FALSE(numbers.window.IsChecked(C::Option1));
  EXPECT_TRUE(numbers.window.IsChecked(C::Option2));

  Form1Harness neither;
  neither.settings.values = {{"Option1", "False"}, {"Option2", "False"}};
  neither.signal_source.strengths = {-95};
  neither.Load();
  EXPECT_FALSE(neither.window.IsChecked(C::Option1));
  EXPECT_FALSE(neither.window.IsChecked(C::Option2));
  neither.form->LogNow();
  neither.WaitForReading();
  EXPECT_EQ(neither.history.Line(0), "12/07/26 14:03:11 WiFi Signal Strength is 0");

  Form1Harness garbage;
  garbage.settings.values = {{"Option1", "maybe"}};
  garbage.Load();
  ASSERT_EQ(garbage.dialogs.errors.size(), 1u);
  EXPECT_EQ(garbage.dialogs.errors[0].line, 190);
  EXPECT_TRUE(garbage.window.IsChecked(C::Option1));
}

TEST(Form1Options, AStoreThatCannotBeWrittenIsReported) {
  Form1Harness h;
  h.settings.refuse_saves = true;
  Form1& form = h.Load();
  h.ClickOption(C::Option2);
  EXPECT_FALSE(h.dialogs.warnings.empty());
  form.SwitchAutomaticLogging();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].handler, "PushButton5_Click");
  EXPECT_EQ(h.dialogs.errors[0].line, 114);
}

TEST(Form1Options, AStoreThatRefusesWritesIsReportedOnceAtStartUp) {
  Form1Harness h;
  h.settings.values = {{"Minimized", "On"}, {"Option1", "False"}, {"Option2", "True"}};
  h.settings.refuse_saves = true;
  h.Load();
  EXPECT_EQ(h.dialogs.warnings.size(), 1u);
  // A real change by the user afterwards that cannot be stored is still told.
  h.ClickOption(C::Option1);
  EXPECT_EQ(h.dialogs.warnings.size(), 2u);
}

}  // namespace
}  // namespace quorvane::testing
