#include "probes/ProbeRound.h"

#include <algorithm>

namespace quorvane::probes {
namespace {

constexpr std::chrono::milliseconds kLongestRound{1000};
constexpr std::uint16_t kHttpsPort = 443;
constexpr std::uint16_t kDnsPort = 53;

ProbeResult FromEcho(const EchoResult& echo) {
  switch (echo.outcome) {
    case EchoOutcome::kAnswered:
      return {ProbeState::kUp, echo.rtt_ms};
    case EchoOutcome::kNoAnswer:
      return {ProbeState::kDown, 0};
    case EchoOutcome::kUnavailable:
      break;
  }
  return {ProbeState::kUnavailable, 0};
}

// Any answer makes it up, with the fastest time; else down unless none could be
// sent at all.
ProbeResult Fastest(const std::vector<EchoResult>& results) {
  ProbeResult best{ProbeState::kUnavailable, 0};
  for (const auto& result : results) {
    const ProbeResult one = FromEcho(result);
    if (one.state == ProbeState::kUp &&
        (best.state != ProbeState::kUp || one.rtt_ms < best.rtt_ms)) {
      best = one;
    } else if (one.state == ProbeState::kDown && best.state == ProbeState::kUnavailable) {
      best = one;
    }
  }
  return best;
}

// TCP to 443, then to 53 when none answered there; half the limit each.
std::vector<EchoResult> ConnectAttempts(NetworkProbe& probe, const std::vector<IpAddress>& targets,
                                        std::chrono::milliseconds limit) {
  std::vector<EchoResult> results = probe.Connect(targets, kHttpsPort, limit / 2);
  if (Fastest(results).state == ProbeState::kUp) return results;
  const std::vector<EchoResult> second = probe.Connect(targets, kDnsPort, limit / 2);
  results.insert(results.end(), second.begin(), second.end());
  return results;
}

}  // namespace

TargetList ParseTargets(std::string_view text) {
  TargetList list;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of(",; \t", start), text.size());
    const std::string_view entry = text.substr(start, end - start);
    start = end + 1;
    if (entry.empty()) continue;
    if (const auto address = ParseIpAddress(entry)) {
      list.addresses.push_back(*address);
    } else {
      list.refused.emplace_back(entry);
    }
  }
  return list;
}

std::chrono::milliseconds RoundLimit(int interval_seconds) {
  return std::min(kLongestRound, std::chrono::milliseconds(1000LL * std::max(1, interval_seconds)));
}

RoundResult RunProbeRound(NetworkProbe& probe, const std::vector<IpAddress>& targets,
                          std::chrono::milliseconds limit) {
  RoundResult round;
  const std::optional<IpAddress> router = probe.RouterAddress();
  const std::string no_echo = probe.EchoUnavailableReason();
  std::vector<IpAddress> echoed;
  if (no_echo.empty()) {
    if (router) echoed.push_back(*router);
    echoed.insert(echoed.end(), targets.begin(), targets.end());
  }
  const std::vector<EchoResult> echoes =
      echoed.empty() ? std::vector<EchoResult>() : probe.Echo(echoed, limit);
  const auto echo_of = [&](std::size_t i) { return i < echoes.size() ? echoes[i] : EchoResult{}; };

  if (!router) {
    // No default route: a state of the network (the WiFi is down, say), not of
    // the program, so there is nothing to tell.
    round.router = {ProbeState::kUnavailable, 0};
  } else if (!no_echo.empty()) {
    round.router = {ProbeState::kUnavailable, 0};
    round.unavailable_reason = no_echo;
  } else {
    round.router = FromEcho(echo_of(0));
  }

  if (targets.empty()) return round;  // internet probes off
  if (no_echo.empty()) {
    const std::size_t first = router ? 1 : 0;
    round.internet = Fastest(std::vector<EchoResult>(
        echoes.begin() + static_cast<std::ptrdiff_t>(std::min(first, echoes.size())),
        echoes.end()));
  } else {
    round.internet = Fastest(ConnectAttempts(probe, targets, limit));
  }
  return round;
}

}  // namespace quorvane::probes
