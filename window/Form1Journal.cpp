// The journal: one record per sample, in the user's data folder, beside the log.
#include <utility>

#include "journal/Journal.h"

#include "base/CalendarMath.h"
#include "base/PathText.h"
#include "platform/AppError.h"
#include "window/Form1.h"

namespace quorvane {

void Form1::OpenJournal() {
  if (journal_folder_.empty()) return;
  journal_ = std::make_unique<journal::Journal>(journal_folder_, journal_append_);
  const std::string stored = GetSetting(services_.settings, setting::kJournalMonths);
  if (const auto months = journal::MonthsKeptFromText(stored)) {
    journal_months_ = *months;
  } else {
    dialogs_.Warn("The setting \"" + std::string(setting::kJournalMonths.name) + "\" holds \"" +
                  stored + "\", which is not a number of months from 0 to 1200. Quorvane keeps " +
                  std::string(setting::kJournalMonths.default_text) + " months of its journal.");
  }
  const LocalDateTime now = services_.clock.Now();
  journal_month_ = now.year * 12 + now.month - 1;
  journal_->DeleteOldMonths(now.year, now.month, journal_months_);
}

void Form1::JournalSample(const LocalDateTime& when, std::int64_t utc,
                          const std::string& value_text, Method method, ProbeTicket ticket,
                          const LinkContext& link) {
  KeepJournalRecord(when, utc, value_text, method, ticket, link);
  FlushJournal();
}

void Form1::KeepJournalRecord(const LocalDateTime& when, std::int64_t utc,
                              const std::string& value_text, Method method, ProbeTicket ticket,
                              const LinkContext& link) {
  journal::JournalRecord record;
  record.offset = journal::OffsetOf(WallSeconds(when), utc);
  record.utc = WallSeconds(when) - record.offset;
  record.method = method;
  record.value = value_text;
  record.connected = value_text.find("(no connection)") == std::string::npos;
  record.link = link;
  pending_records_.push_back({std::move(record), ticket, when});
}

void Form1::FlushJournal(bool publish_metrics) {
  while (!pending_records_.empty()) {
    PendingRecord& pending = pending_records_.front();
    const bool round = pending.ticket.kind == ProbeTicket::Kind::kRound;
    if (round && rounds_done_.count(pending.ticket.round) == 0) return;  // still probing
    if (!pending.discard) {
      FillProbes(pending.record, pending.ticket);
      NotifySample(pending.record, pending.when);
      WriteJournal(pending.record, pending.when.year, pending.when.month);
      metrics_probes_ = ProbeMetricsOf(pending.record, pending.ticket);
      if (publish_metrics) PublishMetrics();
    }
    if (round) rounds_done_.erase(pending.ticket.round);
    pending_records_.pop_front();
  }
}

void Form1::WriteWaitingRecords() {
  // A round cut off by closing could not tell, like a skipped one; its sample's
  // line is in the log, so its record goes into the journal too.
  for (PendingRecord& pending : pending_records_) {
    const bool round = pending.ticket.kind == ProbeTicket::Kind::kRound;
    if (round && rounds_done_.count(pending.ticket.round) == 0)
      pending.ticket = {ProbeTicket::Kind::kSkipped, 0};
  }
  journal_refusal_told_ = journal_held_told_ = journal_dropped_told_ = true;  // no box now
  FlushJournal(false);
  // Records still waiting for a file another program holds get their last chance;
  // what it keeps holding after that is lost.
  if (journal_) journal_->FinishWriting();
}

void Form1::WriteJournal(const journal::JournalRecord& record, int year, int month) {
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
    WarnAboutJournal("Quorvane cannot write its journal into the folder " +
                     PathText(journal_folder_) + ": " + error.what() +
                     ". Samples are still logged as usual.");
  }
}

void Form1::TellJournalWaits(const journal::AppendOutcome& outcome) {
  // Once per run each: the records are kept and go out once the file is free.
  if (!outcome.held_file.empty() && !journal_held_told_) {
    journal_held_told_ = true;
    WarnAboutJournal("Another program holds the journal's file " + PathText(outcome.held_file) +
                     " open, so Quorvane cannot write to it now. Its records are kept and written "
                     "as soon as the file is free. Samples are still logged as usual.");
  }
  if (outcome.dropped && !journal_dropped_told_) {
    journal_dropped_told_ = true;
    WarnAboutJournal(
        "The journal's file has been held by another program for so long that Quorvane "
        "now lets go of its oldest records waiting for it, one for each new sample, "
        "until the file is free. Samples are still logged as usual.");
  }
}

void Form1::WarnAboutJournal(const std::string& text) {
  if (holding_journal_warnings_)
    held_journal_warnings_.push_back(text);
  else
    dialogs_.Warn(text);
}

void Form1::ShowHeldJournalWarnings() {
  holding_journal_warnings_ = false;
  for (const std::string& text : std::exchange(held_journal_warnings_, {})) dialogs_.Warn(text);
}

void Form1::ClearJournal() {
  if (!journal_ || journal_->Clear()) return;
  dialogs_.Warn("Some of the journal's files in the folder " + PathText(journal_folder_) +
                " could not be deleted; another program may be using them.");
}

}  // namespace quorvane
