#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "journal/Journal.h"
#include "metrics/MetricsText.h"
#include "model/SignalValue.h"
#include "notifications/NotificationRules.h"
#include "platform/Clock.h"
#include "platform/MessageLoop.h"
#include "platform/NetworkProbe.h"
#include "platform/SettingsStore.h"
#include "recording/MetricsPublisher.h"
#include "recording/ProbeRunner.h"

namespace quorvane {

// What the recorder tells the program: problems and notices for the user, the
// notifications its rules decide, the tray tip, and each metrics text it writes.
class RecorderOutlet {
 public:
  virtual ~RecorderOutlet() = default;
  // A problem with the journal, the metrics or a setting (a warning box).
  virtual void Warn(const std::string& text) = 0;
  // A fact worth one word, such as why probes cannot be sent (a plain box).
  virtual void Inform(const std::string& text) = 0;
  virtual void Notify(const notifications::Notification& notification) = 0;
  virtual void SetTrayTip(const std::string& tip) = 0;
  // The text just handed to the metrics file's writer.
  virtual void MetricsWritten(const std::string& /*text*/) {}
};

struct RecorderServices {
  const Clock& clock;
  SettingsStore& settings;
  MessageLoop& loop;                     // where rounds of probes and metrics writes report back
  std::filesystem::path journal_folder;  // none: no journal is kept
  journal::RowsAppender journal_append;  // how rows reach the files; the system's unless set
  std::shared_ptr<NetworkProbe> network_probe;  // none: the system cannot probe
  // The folder given on the command line for quorvane.prom; it wins over the
  // "Metrics Folder" setting.
  std::optional<std::filesystem::path> metrics_folder_option;
};

// A finished reading, as the window hands it over: its line is in the log.
struct FinishedSample {
  LocalDateTime when;  // as the history line is stamped
  std::int64_t unix_seconds = 0;
  std::string value_text;  // the history line's, for the journal and the tray tip
  SignalSample signal;
  LinkContext link;
};

// Which round of probes goes with a sample.
struct SampleTicket {
  enum class Kind { kOff, kSkipped, kRound } kind = Kind::kOff;
  std::uint64_t round = 0;
};

// Carries each sample from the window to everything kept beside the log: the round
// of probes started with it, its cause, its journal record (waiting for its round,
// and for a month file another program holds), the notification rules and the
// metrics file, written once per sample when its record is complete. Records go
// out in the order of their samples. Everything runs on the user-interface thread.
class Recorder {
 public:
  Recorder(RecorderServices services, RecorderOutlet& outlet);
  // Writes the records still waiting, as Close does.
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Opens the metrics folder and the journal (dropping months past those kept)
  // and reads the choices of probes and notifications from the settings; a
  // setting that cannot be used is told and its default taken.
  void Open();

  // The sampling interval chosen, and whether automatic logging is on: the probes'
  // time limit, the notifications' gaps and the metrics follow it.
  void SetSchedule(int interval_seconds, bool automatic);

  bool probes_offered() const { return probe_runner_ != nullptr; }
  bool probes_on() const { return probes_on_; }
  void SetProbesOn(bool on) { probes_on_ = on; }
  bool probes_under_way() const { return probe_runner_ && probe_runner_->busy(); }
  const notifications::Choices& notification_choices() const {
    return notification_rules_.choices();
  }
  void SetNotificationChoices(const notifications::Choices& choices) {
    notification_rules_.SetChoices(choices);
  }

  // A reading starts: its round of probes starts beside it.
  SampleTicket BeginSample();
  // The reading is in and its line logged.
  void Record(const SampleTicket& ticket, const FinishedSample& sample);
  // The reading failed: nothing is recorded, and its round is cleared away.
  void Abandon(const SampleTicket& ticket);

  // Deletes the journal's files and the records waiting for them.
  void Clear();
  // On the way out: records still waiting for a round go without it, and records
  // waiting for a held file get a last short try. Nothing is told any more.
  void Close();

 private:
  struct PendingRecord {
    journal::JournalRecord record;
    SampleTicket ticket;
    LocalDateTime when;
    SignalSample signal;
    std::int64_t unix_seconds = 0;
    bool discard = false;  // the sample failed: only its round is cleared away
  };

  // RecorderOpen.cpp
  void OpenMetricsFolder();
  void OpenJournal();
  void OpenNetworkProbes();
  void OpenNotifications();

  // Recorder.cpp
  void RoundDone(std::uint64_t round, const probes::RoundResult& result);
  // Writes the records whose probes are in, in the order of their samples.
  void Flush(bool tell = true);
  void FillProbes(journal::JournalRecord& record, const SampleTicket& ticket);
  void Notify(const journal::JournalRecord& record, const SignalSample& signal,
              const LocalDateTime& when);
  void WriteJournal(const journal::JournalRecord& record, int year, int month);
  void TellJournalWaits(const journal::AppendOutcome& outcome);
  void PublishMetrics();

  RecorderServices services_;
  RecorderOutlet& outlet_;
  int interval_seconds_ = 1;
  bool automatic_ = false;
  std::deque<PendingRecord> pending_;
  // The journal: none unless a folder was given.
  std::unique_ptr<journal::Journal> journal_;
  int journal_months_ = journal::kDefaultMonthsKept;
  int journal_month_ = 0;  // year * 12 + month - 1 of the last record
  bool journal_refusal_told_ = false;
  bool journal_held_told_ = false;
  bool journal_dropped_told_ = false;
  // The network probes: none unless the system has them.
  std::unique_ptr<ProbeRunner> probe_runner_;
  bool probes_on_ = false;
  std::vector<IpAddress> internet_targets_;
  std::uint64_t rounds_started_ = 0;
  std::map<std::uint64_t, probes::RoundResult> rounds_done_;
  std::set<std::string> probe_notices_told_;
  notifications::NotificationRules notification_rules_;
  // The metrics file: none unless a folder was given. What it says of the last
  // record written.
  std::unique_ptr<MetricsPublisher> metrics_;
  std::optional<MetricsSample> metrics_sample_;
  bool metrics_refusal_told_ = false;
};

}  // namespace quorvane
