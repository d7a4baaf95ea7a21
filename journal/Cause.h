#pragma once

#include <optional>
#include <string_view>

namespace quorvane::journal {

// What one probe found. kNone: not probed at all (probes off, or no targets).
enum class ProbeState { kNone, kUp, kDown, kUnavailable, kSkipped };

struct ProbeResult {
  ProbeState state = ProbeState::kNone;
  double rtt_ms = 0;  // round-trip time in milliseconds, when up
};

// Why a sample was good or bad. kNone: a connected sample with probes off, which
// tells nothing beyond the WiFi.
enum class Cause { kNone, kWifi, kRouter, kInternet, kOk, kUnknown };

// The cause of one sample. A router that does not answer while the internet does
// is fine (many routers ignore ping); a probe that could not be sent, or a round
// that was skipped, leaves the cause unknown rather than guessed.
Cause CauseOf(bool connected, bool probes_on, ProbeResult router, ProbeResult internet);

// "", "wifi", "router", "internet", "ok", "unknown".
std::string_view CauseText(Cause cause);
std::optional<Cause> CauseFromText(std::string_view text);

// "", "up", "down", "unavailable", "skipped".
std::string_view ProbeStateText(ProbeState state);
std::optional<ProbeState> ProbeStateFromText(std::string_view text);

// Whether a run of samples with this cause is an outage.
inline bool IsOutageCause(Cause cause) {
  return cause == Cause::kWifi || cause == Cause::kRouter || cause == Cause::kInternet;
}

}  // namespace quorvane::journal
