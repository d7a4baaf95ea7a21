#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeForm1View.h"
#include "tests/fakes/FakeMessageLoop.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "tests/fakes/FakeTrayIcon.h"
#include "tests/fakes/Gate.h"
#include "window/Form1.h"

namespace quorvane::testing {

// The real window core on fakes: the wireless tool prints `tool.output`, the
// settings live in memory, the controls, tray, message boxes and desktop record
// what they are asked, and the test's thread is the user-interface thread.
struct Form1Harness {
  TempDir temp{"temp"};
  TempDir program_folder{"program"};
  FakeClock clock;
  FakeToolRunner tool;
  FakeSignalSource signal_source;
  FakeConnectivity connectivity;
  FakeWlanApi wlan;
  FakeSettingsStore settings;
  FakeStartupEntry startup_entry;
  FakeForm1View window;
  FakeTrayIcon tray;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  FakeMessageLoop loop;
  int drawn = 50;  // what the one-in-a-hundred draw gives
  std::optional<std::filesystem::path> metrics_folder_option;  // as --metrics-folder gives it
  std::filesystem::path journal_folder;                        // none: no journal
  journal::RowsAppender journal_appender;                      // none: the system's
  std::shared_ptr<NetworkProbe> network_probe;                 // none: no probes offered
  NotificationView* notification_view = nullptr;               // none: the tray's balloon
  std::vector<int> seeds;
  StatusSampler sampler{{clock, tool,
                         WirelessTool{{"nmcli", {}}, WirelessOutputFormat::kNmcliTerse},
                         signal_source, connectivity, temp.path(), &wlan}};
  HistoryStore history{clock};
  std::unique_ptr<Form1> form;

  Form1Harness() { tool.output = " :70\n"; }

  Form1& Load() {
    Form1Services services{sampler,
                           settings,
                           startup_entry,
                           clock,
                           temp.path(),
                           program_folder.path(),
                           [this](int seed) {
                             seeds.push_back(seed);
                             return drawn;
                           }};
    services.recording = {journal_folder, journal_appender, network_probe, metrics_folder_option};
    services.notification_view = notification_view;
    form = std::make_unique<Form1>(std::move(services),
                                   Form1Views{window, tray, dialogs, desktop, loop}, history);
    form->Load();
    return *form;
  }

  // The tray control makes its balloon and retry timers first, then the window
  // its one-second timer.
  FakeTimer& BalloonTimer() { return *loop.timers().at(0); }
  FakeTimer& TrayRetryTimer() { return *loop.timers().at(1); }
  FakeTimer& Timer1() { return *loop.timers().at(2); }

  std::string Log() const { return ReadFile(temp / "Quorvane.txt"); }
  std::string Caption(Control control) { return window.captions[control]; }
  int SelectedIntervalRow() const { return window.SelectedRow(Control::ListView2); }

  // Ticks the countdown n times, as the running one-second timer would.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Timer1().Fire();
  }
  // Ticks n times and lets each sample that a tick starts end.
  void TickAndRead(int n) {
    for (int i = 0; i < n; ++i) {
      Tick();
      WaitForReading();
    }
  }
  int LogLines() const {
    const std::string log = Log();
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
  }
  // Delivers the results of the readings under way, and of those waiting behind
  // them, to the window.
  void WaitForReading() {
    while (form->sample_under_way()) {
      if (!loop.WaitForPosted(std::chrono::seconds(10))) {
        ADD_FAILURE() << "the reading did not end";
        return;
      }
    }
  }

  // Delivers the results of the round of probes under way.
  void WaitForProbes() {
    while (form->probes_under_way()) {
      if (!loop.WaitForPosted(std::chrono::seconds(10))) {
        ADD_FAILURE() << "the probes did not end";
        return;
      }
    }
  }

  // The user's clicks on a check box, an option button and an interval row.
  void ClickCheckBox(Control box) {
    window.checked[box] = !window.IsChecked(box);
    if (box == Control::Check4) form->StartAtLoginClicked();
    if (box == Control::Check8) form->StartInTrayClicked();
  }
  // The view only checks the button clicked; the core clears the other.
  void ClickOption(Control option) {
    if (window.IsChecked(option)) return;  // no change, no click
    window.checked[option] = true;
    option == Control::Option1 ? form->WirelessToolChosen() : form->SignalStrengthChosen();
  }
  void ClickIntervalRow(int row) {
    window.selected[Control::ListView2] = row;
    form->IntervalClicked();
  }
};

}  // namespace quorvane::testing
