#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/StartupEntry.h"
#include "recording/Recorder.h"
#include "sampling/StatusSampler.h"
#include "schedule/Countdown.h"
#include "settings/Settings.h"
#include "window/BackgroundReader.h"
#include "window/Dialogs.h"
#include "window/Form1View.h"
#include "window/HistoryMenu.h"
#include "window/HistoryStore.h"
#include "window/HomePageDraw.h"
#include "window/cSysTray.h"

namespace quorvane {

// What is kept beside the log, each none unless given.
struct RecordingOptions {
  std::filesystem::path journal_folder;         // none: no journal
  journal::RowsAppender journal_append;         // how rows reach its files; the system's unless set
  std::shared_ptr<NetworkProbe> network_probe;  // none: no probes are offered
  // The folder given on the command line for quorvane.prom; it wins over the
  // "Metrics Folder" setting.
  std::optional<std::filesystem::path> metrics_folder_option;
};

struct Form1Services {
  StatusSampler& sampler;
  SettingsStore& settings;
  StartupEntry& startup_entry;
  const Clock& clock;
  std::filesystem::path temp_folder;
  std::filesystem::path program_folder;  // where the skin and the hand pointer may lie
  DrawFrom1To100 draw = DrawForHomePage;
  // The date and time forms as the history log holds them, for reading it back,
  // where they differ from `clock`'s (another code page); none when they do not.
  const Clock* log_text_clock = nullptr;
  RecordingOptions recording = {};
  // Where notifications show; without one, or without its server, they show as
  // the tray icon's balloon.
  NotificationView* notification_view = nullptr;
};

// What a front end lends the window: its controls, its tray icon, its message
// boxes, the desktop and its message loop.
struct Form1Views {
  Form1View& window;
  TrayIconView& tray;
  Dialogs& dialogs;
  Desktop& desktop;
  MessageLoop& loop;
};

inline constexpr const char* kHomePage = "https://brindlewick.example/";
inline constexpr const char* kContactPage = "https://brindlewick.example/contact/";

// The main window's behaviour: the start-up sequence, the countdown, the switches,
// the log commands and the tray. Its handlers are named by what they do; a front
// end reports a control the user acted on to Clicked, which knows its handler.
// The error report box names each handler by its control ("PushButton6_Click"),
// as the program has always named it there.
class Form1 : private RecorderOutlet {
 public:
  Form1(Form1Services services, Form1Views views, HistoryStore& history);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The start-up sequence: restores the stored choices into the controls, then
  // shows the window, or hides it straight into the tray when both start options
  // say so.
  void Load();

  // A click on a push button, a check box or an option button, or on the interval
  // list: the handler that serves that control does the work.
  void Clicked(Control control);
  // The handlers, raised by the user.
  void StartAtLoginClicked();
  void StartInTrayClicked();
  void WirelessToolChosen();
  void SignalStrengthChosen();
  void IntervalClicked();
  void ViewLog();
  void CopyLog();
  void ShowMethodHelp();
  void SwitchAutomaticLogging();
  void LogNow();
  void ShowContactPage();
  void ClearLog();
  // One tick of the one-second timer.
  void TimerTick();
  // The window's state changed (minimised, restored).
  void WindowStateChanged();
  // The user asks to close the window; it closes and the program ends.
  void CloseRequested();
  // After the close, with the window off screen: ends the reading under way,
  // giving it a moment, and writes the records still waiting. False when it is
  // stuck inside a system call and has been abandoned: the program must then end
  // at once, leaving the sampler as it is. Asked again, it answers as before.
  bool EndReadings();
  // The history list's context menu: the view shows these items and reports the
  // one chosen.
  std::vector<MenuItem> HistoryMenuItems() const { return history_menu_.Items(); }
  void HistoryMenuChosen(HistoryCommand command) { history_menu_.Choose(command); }
  // A mouse button was released over the tray icon.
  void TrayIconReleased(int button);
  // The desktop made its tray anew, empty.
  void TrayRecreated() { tray_.TrayCreated(); }
  // The balloon was clicked away; a notification's balloon brings the window back.
  void BalloonClicked();
  // A desktop notification was activated: the window comes back.
  void NotificationActivated() { BringToFront(); }
  // The pointer moved over a control (Control::Form1 for the window itself).
  void PointerMovedOver(Control control);

  // Shows the window in front of the others, also out of the tray (a second start
  // asks for this). Asked during start-up, it waits until start-up is done, so no
  // half-built window is shown.
  void BringToFront();

  const std::filesystem::path& LogFilePath() const { return log_file_path_; }
  bool FormLoading() const { return form_loading_; }
  bool MinimizedToTray() const { return minimized_to_tray_; }
  PointerMode pointer_mode() const { return pointer_mode_; }
  const Countdown& countdown() const { return countdown_; }
  bool sample_under_way() const { return reader_.busy(); }
  bool probes_under_way() const { return recorder_.probes_under_way(); }
  const cSysTray& tray() const { return tray_; }

  // The text of the balloon shown when the window first goes into the tray.
  static const char* const kTrayBalloonText;

 private:
  enum class SampleOrigin { kTimer, kLogNow };

  // Form1Load.cpp
  void ApplySkin();
  void SetAppTitle();
  void MaybeOpenHomePage();
  void FillIntervalList();
  std::optional<ErrorReport> RestoreIntervalSelection(TrappedHandler& trap);
  void RestoreSwitch(TrappedHandler& trap);
  void RestoreOptions(TrappedHandler& trap);
  void RestoreMinimisedStart(TrappedHandler& trap);
  void ShowAfterLoad();

  // Form1.cpp
  void SetCheck(Control box, bool checked);
  void SetOption(Control option, bool value);
  void MethodChosen(Control option);
  int SelectedIntervalRow();
  std::int32_t IntervalSeconds();
  void ShowCountdown();
  void UpdateTimer();
  void SetPointerMode(PointerMode mode);
  // False when the store refused the value (the user has been told).
  bool Save(const SettingKey& key, std::string_view value);
  void RequestSample(SampleOrigin origin);
  void StartNextSample();
  Method ChosenMethod() const;
  void FinishSample(bool read, const SignalReading& reading, const LoggedLine& logged);
  // What the recorder needs to know of the interval and the switch.
  void TellRecorderSchedule();

  // Form1Recording.cpp
  void OfferRecordingChoices();
  void NetworkProbesChosen(bool on);
  void NotificationChosen(HistoryCommand command, bool on);
  // What the recorder tells; its warnings while a sample finishes wait until the
  // timer runs again, so that their box never holds up the next sample.
  void Warn(const std::string& text) override;
  void Inform(const std::string& text) override;
  void Notify(const notifications::Notification& notification) override;
  void SetTrayTip(const std::string& tip) override;
  void ShowHeldWarnings();
  // The sampling interval chosen, in seconds.
  int ChosenIntervalSeconds() const;

  // Form1Tray.cpp
  void ShowForm1(bool minimised);
  void NoTray();
  void TrayTookTheIconLate();
  void ShowTrayBalloon();
  void Unload();

  Form1Services services_;
  Form1View& view_;
  OneBoxPerMessage dialogs_;
  Desktop& desktop_;
  MessageLoop& loop_;
  HistoryStore& history_;
  cSysTray tray_;
  std::unique_ptr<Timer> timer1_;
  Countdown countdown_;
  std::filesystem::path log_file_path_;
  std::string button5_caption_;
  bool form_loading_ = false;
  bool start_minimised_ = false;
  bool minimized_to_tray_ = false;
  bool shown_once_ = false;
  bool closing_ = false;
  std::optional<bool> readings_ended_;  // what EndReadings found
  bool tray_missing_told_ = false;
  bool brought_to_front_while_loading_ = false;
  // Start-up stores back values it has just read; a store that refuses them is
  // told about once, not for every value.
  bool store_refusal_told_ = false;
  // Told once per run: the system refuses every reading until the user allows
  // location access.
  bool location_refusal_told_ = false;
  bool methods_restored_ = false;  // the method buttons show the stored choice
  PointerMode pointer_mode_ = PointerMode::kDefault;
  int last_interval_row_ = -1;
  HistoryMenu history_menu_;
  std::deque<SampleOrigin> samples_waiting_;
  SampleOrigin sample_running_ = SampleOrigin::kTimer;
  Method method_running_ = Method::kWirelessTool;
  int log_now_pending_ = 0;
  bool holding_warnings_ = false;
  std::vector<std::string> held_warnings_;
  bool notification_balloon_ = false;  // the tray's latest balloon is a notification
  Recorder recorder_;
  SampleTicket sample_ticket_;  // of the sample under way
  BackgroundReader reader_;     // last: it is stopped before the rest goes
};

}  // namespace quorvane
