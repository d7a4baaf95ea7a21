// What the recorder reads from the settings when the program starts: the journal's
// months, the probes and their targets, the notifications and the metrics folder.
#include "base/PathText.h"
#include "recording/Recorder.h"
#include "settings/Settings.h"

namespace quorvane {
namespace {

constexpr const char* kMetricsFileName = "quorvane.prom";

// "\"a\"", "\"a\" and \"b\"", "\"a\", \"b\" and \"c\"".
std::string QuotedList(const std::vector<std::string>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) text += i + 1 == entries.size() ? " and " : ", ";
    text += "\"" + entries[i] + "\"";
  }
  return text;
}

}  // namespace

void Recorder::Open() {
  OpenMetricsFolder();
  OpenJournal();
  OpenNetworkProbes();
  OpenNotifications();
}

void Recorder::OpenMetricsFolder() {
  const std::filesystem::path folder =
      services_.metrics_folder_option
          ? *services_.metrics_folder_option
          : PathFromText(GetSetting(services_.settings, setting::kMetricsFolder));
  if (folder.empty()) return;
  metrics_ = std::make_unique<MetricsPublisher>(
      folder / kMetricsFileName, services_.loop, [this, folder](const std::string& description) {
        // Once per run: samples go on being logged and listed, and the file is
        // tried again after each of them.
        if (metrics_refusal_told_) return;
        metrics_refusal_told_ = true;
        outlet_.Warn("Quorvane cannot write its metrics file into the folder " + PathText(folder) +
                     ": " + description + ". Samples are still logged as usual.");
      });
}

void Recorder::OpenJournal() {
  if (services_.journal_folder.empty()) return;
  journal_ = std::make_unique<journal::Journal>(services_.journal_folder, services_.journal_append);
  const std::string stored = GetSetting(services_.settings, setting::kJournalMonths);
  if (const auto months = journal::MonthsKeptFromText(stored)) {
    journal_months_ = *months;
  } else {
    outlet_.Warn("The setting \"" + std::string(setting::kJournalMonths.name) + "\" holds \"" +
                 stored + "\", which is not a number of months from 0 to 1200. Quorvane keeps " +
                 std::string(setting::kJournalMonths.default_text) + " months of its journal.");
  }
  const LocalDateTime now = services_.clock.Now();
  journal_month_ = now.year * 12 + now.month - 1;
  journal_->DeleteOldMonths(now.year, now.month, journal_months_);
}

void Recorder::OpenNetworkProbes() {
  if (!services_.network_probe) return;  // the system cannot probe: nothing is offered
  probe_runner_ = std::make_unique<ProbeRunner>(services_.network_probe, services_.loop);
  // Anything but "On" leaves them off: nothing goes over the network unasked.
  probes_on_ = GetSetting(services_.settings, setting::kNetworkProbes) == kOn;
  const std::string stored = GetSetting(services_.settings, setting::kInternetTargets);
  probes::TargetList targets = probes::ParseTargets(stored);
  // The entries that are addresses are kept; the defaults stand in only when none is.
  if (!targets.refused.empty()) {
    const bool none_left = targets.addresses.empty();
    outlet_.Warn(
        "The setting \"" + std::string(setting::kInternetTargets.name) + "\" holds " +
        QuotedList(targets.refused) +
        (targets.refused.size() == 1 ? ", which is not an IP address"
                                     : ", which are not IP addresses") +
        ". Quorvane probes IP addresses only, so that no name has to be looked up; " +
        (none_left ? "it uses " + std::string(setting::kInternetTargets.default_text) + " instead."
                   : "it keeps the other targets."));
    if (none_left) targets = probes::ParseTargets(setting::kInternetTargets.default_text);
  }
  internet_targets_ = std::move(targets.addresses);
}

void Recorder::OpenNotifications() {
  notifications::Choices choices;
  // Anything but "On" leaves them off: nothing shows that was not asked for.
  choices.drops = GetSetting(services_.settings, setting::kNotifyDrops) == kOn;
  choices.weak = GetSetting(services_.settings, setting::kNotifyWeak) == kOn;
  const std::string stored = GetSetting(services_.settings, setting::kAlertAfter);
  if (const auto seconds = notifications::AlertAfterFromText(stored)) {
    choices.alert_after_seconds = *seconds;
  } else {
    outlet_.Warn("The setting \"" + std::string(setting::kAlertAfter.name) + "\" holds \"" +
                 stored +
                 "\", which is not a number of seconds from 0 to 86400. Quorvane tells of a "
                 "drop once it has lasted " +
                 std::string(setting::kAlertAfter.default_text) + " seconds.");
  }
  notification_rules_.SetChoices(choices);
}

}  // namespace quorvane
