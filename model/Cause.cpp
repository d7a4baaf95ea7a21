#include "model/Cause.h"

namespace quorvane {
namespace {

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

std::string_view ProbeStateText(ProbeState state) {
  return kProbeTexts[static_cast<std::size_t>(state)];
}

}  // namespace quorvane
