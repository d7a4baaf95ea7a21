#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvane {

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

inline constexpr std::array<std::string_view, 6> kCauseTexts = {"",         "wifi", "router",
                                                                "internet", "ok",   "unknown"};
inline constexpr std::array<std::string_view, 5> kProbeTexts = {"", "up", "down", "unavailable",
                                                                "skipped"};

namespace detail {

template <std::size_t N>
constexpr bool LengthsDiffer(const std::array<std::string_view, N>& texts) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = i + 1; j < N; ++j)
      if (texts[i].size() == texts[j].size()) return false;
  return true;
}
static_assert(LengthsDiffer(kCauseTexts) && LengthsDiffer(kProbeTexts));

// Read for every probe and cause of every record, so inline: the one text of the
// same length is the only one it can be.
template <typename Enum, std::size_t N>
std::optional<Enum> FromText(const std::array<std::string_view, N>& texts, std::string_view text) {
  for (std::size_t i = 0; i < N; ++i)
    if (texts[i].size() == text.size())
      return text == texts[i] ? std::optional(static_cast<Enum>(i)) : std::nullopt;
  return std::nullopt;
}

}  // namespace detail

// "", "wifi", "router", "internet", "ok", "unknown".
std::string_view CauseText(Cause cause);
inline std::optional<Cause> CauseFromText(std::string_view text) {
  return detail::FromText<Cause>(kCauseTexts, text);
}

// "", "up", "down", "unavailable", "skipped".
std::string_view ProbeStateText(ProbeState state);
inline std::optional<ProbeState> ProbeStateFromText(std::string_view text) {
  return detail::FromText<ProbeState>(kProbeTexts, text);
}

// Whether a run of samples with this cause is an outage.
inline bool IsOutageCause(Cause cause) {
  return cause == Cause::kWifi || cause == Cause::kRouter || cause == Cause::kInternet;
}

}  // namespace quorvane
