#include "journal/Cause.h"

#include <array>

namespace quorvane::journal {
namespace {

constexpr std::array<std::string_view, 6> kCauseTexts = {"",         "wifi", "router",
                                                         "internet", "ok",   "unknown"};
constexpr std::array<std::string_view, 5> kProbeTexts = {"", "up", "down", "unavailable",
                                                         "skipped"};

template <typename Enum, std::size_t N>
std::optional<Enum> FromText(const std::array<std::string_view, N>& texts, std::string_view text) {
  for (std::size_t i = 0; i < N; ++i)
    if (texts[i] == text) return static_cast<Enum>(i);
  return std::nullopt;
}

bool Known(ProbeResult result) {
  return result.state == ProbeState::kUp || result.state == ProbeState::kDown;
}

}  // namespace

Cause CauseOf(bool connected, bool probes_on, ProbeResult router, ProbeResult internet) {
  if (!connected) return Cause::kWifi;
  if (!probes_on) return Cause::kNone;
  if (internet.state == ProbeState::kUp) return Cause::kOk;
  if (internet.state == ProbeState::kNone) {
    // Internet probes turned off (no targets): the router alone decides.
    if (!Known(router)) return Cause::kUnknown;
    return router.state == ProbeState::kUp ? Cause::kOk : Cause::kRouter;
  }
  if (internet.state != ProbeState::kDown || !Known(router)) return Cause::kUnknown;
  return router.state == ProbeState::kUp ? Cause::kInternet : Cause::kRouter;
}

std::string_view CauseText(Cause cause) { return kCauseTexts[static_cast<std::size_t>(cause)]; }

std::optional<Cause> CauseFromText(std::string_view text) {
  return FromText<Cause>(kCauseTexts, text);
}

std::string_view ProbeStateText(ProbeState state) {
  return kProbeTexts[static_cast<std::size_t>(state)];
}

std::optional<ProbeState> ProbeStateFromText(std::string_view text) {
  return FromText<ProbeState>(kProbeTexts, text);
}

}  // namespace quorvane::journal
