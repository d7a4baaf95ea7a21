// One sample's path beyond the log: its round of probes, its cause, its journal
// record, the notification rules and the metrics file.
#include "recording/Recorder.h"

#include "base/CalendarMath.h"
#include "base/PathText.h"
#include "model/Cause.h"
#include "platform/AppError.h"

namespace quorvane {
namespace {

// The probes' metrics of a record; none with the probes off.
std::optional<ProbeMetrics> ProbeMetricsOf(const journal::JournalRecord& record,
                                           const SampleTicket& ticket) {
  if (ticket.kind == SampleTicket::Kind::kOff) return std::nullopt;
  const auto up = [](const ProbeResult& result) -> std::optional<bool> {
    if (result.state == ProbeState::kUp) return true;
    if (result.state == ProbeState::kDown) return false;
    return std::nullopt;  // could not tell
  };
  const auto rtt = [](const ProbeResult& result) -> std::optional<double> {
    if (result.state == ProbeState::kUp) return result.rtt_ms;
    return std::nullopt;
  };
  ProbeMetrics metrics;
  metrics.router_up = up(record.router);
  metrics.router_rtt_ms = rtt(record.router);
  metrics.internet_up = up(record.internet);
  metrics.internet_rtt_ms = rtt(record.internet);
  metrics.cause = CauseText(record.cause);
  return metrics;
}

}  // namespace

Recorder::Recorder(RecorderServices services, RecorderOutlet& outlet)
    : services_(std::move(services)), outlet_(outlet) {}

Recorder::~Recorder() { Close(); }

void Recorder::SetSchedule(int interval_seconds, bool automatic) {
  const bool changed = interval_seconds != interval_seconds_ || automatic != automatic_;
  interval_seconds_ = interval_seconds;
  automatic_ = automatic;
  // An alert on missing samples learns at once what to expect.
  if (changed) PublishMetrics();
}

SampleTicket Recorder::BeginSample() {
  if (!probes_on_ || !probe_runner_) return {};
  // At most one round at a time; a sample that comes while one runs is skipped,
  // never queued behind it.
  if (probe_runner_->busy()) return {SampleTicket::Kind::kSkipped, 0};
  const std::uint64_t round = ++rounds_started_;
  probe_runner_->Start(
      internet_targets_, probes::RoundLimit(interval_seconds_),
      [this, round](const probes::RoundResult& result) { RoundDone(round, result); });
  return {SampleTicket::Kind::kRound, round};
}

void Recorder::Record(const SampleTicket& ticket, const FinishedSample& sample) {
  journal::JournalRecord record;
  const std::int64_t wall = WallSeconds(sample.when);
  record.offset = journal::OffsetOf(wall, sample.unix_seconds);
  record.utc = wall - record.offset;
  record.method = sample.signal.method;
  record.value = sample.value_text;
  record.connected = sample.signal.connected;
  record.link = sample.link;
  pending_.push_back({std::move(record), ticket, sample.when, sample.signal, sample.unix_seconds});
  Flush();
}

void Recorder::Abandon(const SampleTicket& ticket) {
  if (ticket.kind != SampleTicket::Kind::kRound) return;
  PendingRecord failed;
  failed.ticket = ticket;
  failed.discard = true;
  pending_.push_back(std::move(failed));
  Flush();
}

void Recorder::RoundDone(std::uint64_t round, const probes::RoundResult& result) {
  rounds_done_[round] = result;
  Flush();
  // Why a probe cannot be sent is said once per run, not with every sample.
  if (!result.unavailable_reason.empty() &&
      probe_notices_told_.insert(result.unavailable_reason).second)
    outlet_.Inform(result.unavailable_reason);
}

void Recorder::Flush(bool tell) {
  while (!pending_.empty()) {
    PendingRecord& pending = pending_.front();
    const bool round = pending.ticket.kind == SampleTicket::Kind::kRound;
    if (round && rounds_done_.count(pending.ticket.round) == 0) return;  // still probing
    if (!pending.discard) {
      FillProbes(pending.record, pending.ticket);
      if (tell) Notify(pending.record, pending.signal, pending.when);
      WriteJournal(pending.record, pending.when.year, pending.when.month);
      // The metrics follow the record, once it is complete.
      MetricsSample metrics;
      metrics.signal = pending.signal;
      metrics.unix_seconds = pending.unix_seconds;
      metrics.samples_total = metrics_sample_ ? metrics_sample_->samples_total + 1 : 1;
      metrics.probes = ProbeMetricsOf(pending.record, pending.ticket);
      metrics.link = pending.record.link;
      metrics_sample_ = std::move(metrics);
      if (tell) PublishMetrics();
    }
    if (round) rounds_done_.erase(pending.ticket.round);
    pending_.pop_front();
  }
}

void Recorder::FillProbes(journal::JournalRecord& record, const SampleTicket& ticket) {
  switch (ticket.kind) {
    case SampleTicket::Kind::kOff:
      break;
    case SampleTicket::Kind::kSkipped:
      record.router.state = ProbeState::kSkipped;
      if (!internet_targets_.empty()) record.internet.state = ProbeState::kSkipped;
      break;
    case SampleTicket::Kind::kRound: {
      const probes::RoundResult& result = rounds_done_.at(ticket.round);
      record.router = result.router;
      record.internet = result.internet;
      break;
    }
  }
  record.cause = CauseOf(record.connected, ticket.kind != SampleTicket::Kind::kOff, record.router,
                         record.internet);
}

void Recorder::Notify(const journal::JournalRecord& record, const SignalSample& signal,
                      const LocalDateTime& when) {
  notifications::SampleFacts facts;
  facts.utc = record.utc;
  facts.local = when;
  facts.time_text = services_.clock.LongTime(when);  // as the log writes it
  facts.method = record.method;
  facts.value_text = record.value;
  facts.value = signal.value;
  facts.connected = record.connected;
  facts.cause = record.cause;
  facts.interval_seconds = interval_seconds_;
  for (const auto& notification : notification_rules_.Feed(facts)) outlet_.Notify(notification);
  outlet_.SetTrayTip(notification_rules_.TrayTip());
}

void Recorder::WriteJournal(const journal::JournalRecord& record, int year, int month) {
  if (!journal_) return;
  // A month begins: the oldest one kept until now goes.
  const int month_number = year * 12 + month - 1;
  if (month_number != journal_month_) {
    journal_month_ = month_number;
    journal_->DeleteOldMonths(year, month, journal_months_);
  }
  try {
    TellJournalWaits(journal_->Append(record));
  } catch (const AppError& error) {
    // Once per run: the log and the list carry on, and the journal is tried again
    // with every sample.
    if (journal_refusal_told_) return;
    journal_refusal_told_ = true;
    outlet_.Warn("Quorvane cannot write its journal into the folder " +
                 PathText(services_.journal_folder) + ": " + error.what() +
                 ". Samples are still logged as usual.");
  }
}

void Recorder::TellJournalWaits(const journal::AppendOutcome& outcome) {
  // Once per run each: the records are kept and go out once the file is free.
  if (!outcome.held_file.empty() && !journal_held_told_) {
    journal_held_told_ = true;
    outlet_.Warn("Another program holds the journal's file " + PathText(outcome.held_file) +
                 " open, so Quorvane cannot write to it now. Its records are kept and written "
                 "as soon as the file is free. Samples are still logged as usual.");
  }
  if (outcome.dropped && !journal_dropped_told_) {
    journal_dropped_told_ = true;
    outlet_.Warn(
        "The journal's file has been held by another program for so long that Quorvane "
        "now lets go of its oldest records waiting for it, one for each new sample, "
        "until the file is free. Samples are still logged as usual.");
  }
}

void Recorder::PublishMetrics() {
  if (!metrics_ || !metrics_sample_) return;
  metrics_sample_->interval_seconds = automatic_ ? interval_seconds_ : 0;
  std::string text = FormatMetrics(*metrics_sample_);
  outlet_.MetricsWritten(text);
  metrics_->Publish(std::move(text));
}

void Recorder::Clear() {
  // Records waiting for a held file go with the files: the user wants them gone.
  if (!journal_ || journal_->Clear()) return;
  outlet_.Warn("Some of the journal's files in the folder " + PathText(services_.journal_folder) +
               " could not be deleted; another program may be using them.");
}

void Recorder::Close() {
  // A round cut off by closing could not tell, like a skipped one; its sample's
  // line is in the log, so its record goes into the journal too.
  for (PendingRecord& pending : pending_) {
    const bool round = pending.ticket.kind == SampleTicket::Kind::kRound;
    if (round && rounds_done_.count(pending.ticket.round) == 0)
      pending.ticket = {SampleTicket::Kind::kSkipped, 0};
  }
  journal_refusal_told_ = journal_held_told_ = journal_dropped_told_ = true;  // no box now
  Flush(false);
  // Records still waiting for a file another program holds get their last chance;
  // what it keeps holding after that is lost.
  if (journal_) journal_->FinishWriting();
}

}  // namespace quorvane
