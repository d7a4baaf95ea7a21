// The network probes of the router and the internet, run beside every sample
// while the user has them on.
#include "model/Cause.h"
#include "window/Form1.h"

namespace quorvane {

void Form1::OpenNetworkProbes() {
  if (!network_probe_) return;  // the system cannot probe: nothing is offered
  probe_runner_ = std::make_unique<ProbeRunner>(network_probe_, loop_);
  // Anything but "On" leaves them off: nothing goes over the network unasked.
  probes_on_ = GetSetting(services_.settings, setting::kNetworkProbes) == kOn;
  const std::string stored = GetSetting(services_.settings, setting::kInternetTargets);
  probes::TargetList targets = probes::ParseTargets(stored);
  if (!targets.refused.empty()) {
    dialogs_.Warn("The setting \"" + std::string(setting::kInternetTargets.name) + "\" holds \"" +
                  targets.refused +
                  "\", which is not an IP address. Quorvane probes IP addresses only, so that "
                  "no name has to be looked up; it uses " +
                  std::string(setting::kInternetTargets.default_text) + " instead.");
    targets = probes::ParseTargets(setting::kInternetTargets.default_text);
  }
  internet_targets_ = std::move(targets.addresses);
  history_menu_.OfferNetworkProbes(probes_on_, [this](bool on) { NetworkProbesChosen(on); });
}

void Form1::NetworkProbesChosen(bool on) {
  if (!Save(setting::kNetworkProbes, on ? kOn : kOff)) return;
  probes_on_ = on;
  history_menu_.ShowNetworkProbes(on);
}

ProbeTicket Form1::StartProbeRound() {
  if (!probes_on_ || !probe_runner_) return {};
  // At most one round at a time; a sample that comes while one runs is skipped,
  // never queued behind it.
  if (probe_runner_->busy()) return {ProbeTicket::Kind::kSkipped, 0};
  const int interval = ChosenIntervalSeconds();
  const std::uint64_t round = ++rounds_started_;
  probe_runner_->Start(
      internet_targets_, probes::RoundLimit(interval),
      [this, round](const probes::RoundResult& result) { ProbeRoundDone(round, result); });
  return {ProbeTicket::Kind::kRound, round};
}

void Form1::ProbeRoundDone(std::uint64_t round, const probes::RoundResult& result) {
  rounds_done_[round] = result;
  FlushJournal();
  // Why a probe cannot be sent is said once per run, not with every sample.
  if (!result.unavailable_reason.empty() &&
      probe_notices_told_.insert(result.unavailable_reason).second)
    dialogs_.Inform(result.unavailable_reason);
}

void Form1::FillProbes(journal::JournalRecord& record, const ProbeTicket& ticket) {
  switch (ticket.kind) {
    case ProbeTicket::Kind::kOff:
      break;
    case ProbeTicket::Kind::kSkipped:
      record.router.state = ProbeState::kSkipped;
      if (!internet_targets_.empty()) record.internet.state = ProbeState::kSkipped;
      break;
    case ProbeTicket::Kind::kRound: {
      const probes::RoundResult& result = rounds_done_.at(ticket.round);
      record.router = result.router;
      record.internet = result.internet;
      break;
    }
  }
  record.cause = CauseOf(record.connected, ticket.kind != ProbeTicket::Kind::kOff, record.router,
                         record.internet);
}

std::optional<ProbeMetrics> Form1::ProbeMetricsOf(const journal::JournalRecord& record,
                                                  const ProbeTicket& ticket) {
  if (ticket.kind == ProbeTicket::Kind::kOff) return std::nullopt;
  ProbeMetrics metrics;
  const auto up = [](const ProbeResult& result) -> std::optional<bool> {
    if (result.state == ProbeState::kUp) return true;
    if (result.state == ProbeState::kDown) return false;
    return std::nullopt;  // could not tell
  };
  const auto rtt = [](const ProbeResult& result) -> std::optional<double> {
    if (result.state == ProbeState::kUp) return result.rtt_ms;
    return std::nullopt;
  };
  metrics.router_up = up(record.router);
  metrics.router_rtt_ms = rtt(record.router);
  metrics.internet_up = up(record.internet);
  metrics.internet_rtt_ms = rtt(record.internet);
  metrics.cause = CauseText(record.cause);
  return metrics;
}

}  // namespace quorvane
