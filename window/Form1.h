#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "journal/Journal.h"
#include "metrics/MetricsText.h"
#include "notifications/NotificationRules.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/StartupEntry.h"
#include "sampling/StatusSampler.h"
#include "schedule/Countdown.h"
#include "settings/Settings.h"
#include "window/BackgroundReader.h"
#include "window/Dialogs.h"
#include "window/Form1View.h"
#include "window/HistoryMenu.h"
#include "window/HistoryStore.h"
#include "window/HomePageDraw.h"
#include "window/MetricsPublisher.h"
#include "window/ProbeRunner.h"
#include "window/cSysTray.h"

namespace quorvane {

// Which round of probes goes with a sample.
struct ProbeTicket {
  enum class Kind { kOff, kSkipped, kRound } kind = Kind::kOff;
  std::uint64_t round = 0;
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
// the log commands and the tray. Its handlers carry the names of the controls
// they serve; a front end calls them when the user acts on those controls.
class Form1 {
 public:
  Form1(Form1Services services, Form1Views views, HistoryStore& history);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The start-up sequence: restores the stored choices into the controls, then
  // shows the window, or hides it straight into the tray when both start options
  // say so.
  void Form_Load();

  // Events of the controls, raised by the user.
  void Check4_Click();
  void Check8_Click();
  void Option1_Click();
  void Option2_Click();
  void ListView2_Click();
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton3_Click();
  void PushButton5_Click();
  void PushButton6_Click();
  void PushButton11_Click();
  void PushButton12_Click();
  // One tick of the one-second timer.
  void Timer1_Timer();
  // The window's state changed (minimised, restored).
  void Form_Resize();
  // The user asks to close the window; it closes and the program ends.
  void Form_QueryUnload();
  // After the close, with the window off screen: ends the reading under way,
  // giving it a moment. False when it is stuck inside a system call and has been
  // abandoned: the program must then end at once, leaving the sampler as it is.
  bool EndReadings();
  // The history list's context menu: the view shows these items and reports the
  // one chosen.
  std::vector<MenuItem> ListView1_ContextMenu() const { return history_menu_.Items(); }
  void ListView1_MenuClick(HistoryCommand command) { history_menu_.Choose(command); }
  // A mouse button was released over the tray icon.
  void cSysTray1_MouseUp(int button);
  // The desktop made its tray anew, empty.
  void cSysTray1_TrayCreated() { tray_.TrayCreated(); }
  // The balloon was clicked away; a notification's balloon brings the window back.
  void cSysTray1_BalloonClick();
  // A desktop notification was activated: the window comes back.
  void Notification_Click() { BringToFront(); }
  // The pointer moved over a control (Control::Form1 for the window itself).
  void PointerMovedOver(Control control);

  // Shows the window in front of the others, also out of the tray (a second start
  // asks for this). Asked during start-up, it waits until start-up is done, so no
  // half-built window is shown.
  void BringToFront();

  // The folder given on the command line for quorvane.prom; it wins over the
  // "Metrics Folder" setting. Before Form_Load.
  void set_metrics_folder_option(std::filesystem::path folder) {
    metrics_folder_option_ = std::move(folder);
  }

  // The journal's folder; none is kept unless it is set. Before Form_Load.
  void set_journal_folder(std::filesystem::path folder) { journal_folder_ = std::move(folder); }
  // How the journal's rows reach its files, for a test; the system's append unless set.
  void set_journal_appender(journal::RowsAppender append) { journal_append_ = std::move(append); }
  // The system's network probes; without them none are offered. Before Form_Load.
  void set_network_probe(std::shared_ptr<NetworkProbe> probe) { network_probe_ = std::move(probe); }
  // Where notifications show; without one, or without its server, they show as the
  // tray icon's balloon. Before Form_Load.
  void set_notification_view(NotificationView* view) { notification_view_ = view; }

  const std::filesystem::path& LogFilePath() const { return log_file_path_; }
  bool FormLoading() const { return form_loading_; }
  bool MinimizedToTray() const { return minimized_to_tray_; }
  PointerMode pointer_mode() const { return pointer_mode_; }
  const Countdown& countdown() const { return countdown_; }
  bool sample_under_way() const { return reader_.busy(); }
  bool probes_under_way() const { return probe_runner_ && probe_runner_->busy(); }
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

  // Form1Metrics.cpp
  void OpenMetricsFolder();
  void PublishMetrics(const std::string& value_text, const LinkContext& link);
  void PublishMetrics();
  void TellMetricsRefused(const std::filesystem::path& folder, const std::string& description);

  // Form1Journal.cpp
  void OpenJournal();
  void JournalSample(const LocalDateTime& when, std::int64_t utc, const std::string& value_text,
                     Method method, ProbeTicket ticket, const LinkContext& link);
  // JournalSample's first half: the record waits for its probes, not written yet.
  void KeepJournalRecord(const LocalDateTime& when, std::int64_t utc, const std::string& value_text,
                         Method method, ProbeTicket ticket, const LinkContext& link);
  // Writes the records whose probes are in, in the order of their samples.
  void FlushJournal(bool publish_metrics = true);
  // On the way out: the records still waiting for a round go with it skipped.
  void WriteWaitingRecords();
  void WriteJournal(const journal::JournalRecord& record, int year, int month);
  void TellJournalWaits(const journal::AppendOutcome& outcome);
  // A journal's warning while a sample finishes waits until the timer runs again,
  // so that its box never holds up the next sample.
  void WarnAboutJournal(const std::string& text);
  void ShowHeldJournalWarnings();
  void ClearJournal();

  // Form1Probes.cpp
  void OpenNetworkProbes();
  void NetworkProbesChosen(bool on);
  ProbeTicket StartProbeRound();
  void ProbeRoundDone(std::uint64_t round, const probes::RoundResult& result);
  // The probes' part of a sample's record, from its ticket.
  void FillProbes(journal::JournalRecord& record, const ProbeTicket& ticket);
  // The probes' metrics of a record; none with the probes off.
  static std::optional<ProbeMetrics> ProbeMetricsOf(const journal::JournalRecord& record,
                                                    const ProbeTicket& ticket);

  // Form1Notifications.cpp
  void OpenNotifications();
  void NotificationChosen(HistoryCommand command, bool on);
  // Tells the rules of a sample whose cause is known, shows what they answer and
  // the tray tip.
  void NotifySample(const journal::JournalRecord& record, const LocalDateTime& when);
  void ShowNotification(const notifications::Notification& notification);
  // The sampling interval chosen, in seconds.
  int ChosenIntervalSeconds() const;

  // Form1Tray.cpp
  void ShowForm1(bool minimised);
  void NoTray();
  void TrayTookTheIconLate();
  void ShowTrayBalloon();
  void Form_Unload();

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
  // The metrics file: none unless a folder was given.
  std::optional<std::filesystem::path> metrics_folder_option_;
  std::unique_ptr<MetricsPublisher> metrics_;
  std::string metrics_value_text_;              // of the last sample
  LinkContext metrics_link_;                    // of the last sample
  std::optional<ProbeMetrics> metrics_probes_;  // of the last record written
  std::int64_t metrics_unix_seconds_ = 0;
  std::uint64_t samples_taken_ = 0;
  bool metrics_refusal_told_ = false;
  // The journal: none unless a folder was given.
  std::filesystem::path journal_folder_;
  std::unique_ptr<journal::Journal> journal_;
  int journal_months_ = journal::kDefaultMonthsKept;
  int journal_month_ = 0;  // year * 12 + month - 1 of the last record
  journal::RowsAppender journal_append_;
  bool journal_refusal_told_ = false;
  bool journal_held_told_ = false;
  bool journal_dropped_told_ = false;
  bool holding_journal_warnings_ = false;
  std::vector<std::string> held_journal_warnings_;
  // Records waiting for their probes, in the order of their samples.
  struct PendingRecord {
    journal::JournalRecord record;
    ProbeTicket ticket;
    LocalDateTime when;
    bool discard = false;  // the sample failed: only its round is cleared away
  };
  std::deque<PendingRecord> pending_records_;
  // Notifications: decided by the rules, shown by the view or the tray's balloon.
  notifications::NotificationRules notification_rules_;
  NotificationView* notification_view_ = nullptr;
  bool notification_balloon_ = false;  // the tray's latest balloon is a notification
  // The network probes: none unless the system has them.
  std::shared_ptr<NetworkProbe> network_probe_;
  std::unique_ptr<ProbeRunner> probe_runner_;
  bool probes_on_ = false;
  std::vector<IpAddress> internet_targets_;
  std::uint64_t rounds_started_ = 0;
  std::map<std::uint64_t, probes::RoundResult> rounds_done_;
  std::set<std::string> probe_notices_told_;
  ProbeTicket sample_probes_;  // of the sample under way
  BackgroundReader reader_;    // last: it is stopped before the rest goes
};

}  // namespace quorvane
