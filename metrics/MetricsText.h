#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/LinkContext.h"
#include "model/SignalValue.h"

namespace quorvane {

// Quorvane's version, as its build names it.
extern const std::string_view kProgramVersion;

// The network probes of the last sample, with the probes on.
struct ProbeMetrics {
  std::optional<bool> router_up;  // none when the probe could not tell
  std::optional<double> router_rtt_ms;
  std::optional<bool> internet_up;
  std::optional<double> internet_rtt_ms;
  std::string cause;  // "ok", "wifi", "router", "internet" or "unknown"
};

// What the metrics file says about the last sample.
struct MetricsSample {
  SignalSample signal;
  std::int64_t unix_seconds = 0;       // when it was taken
  std::int32_t interval_seconds = 0;   // 0 while automatic logging is off
  std::uint64_t samples_total = 0;     // samples taken since the program started
  std::optional<ProbeMetrics> probes;  // none with the probes off
  LinkContext link;                    // of the last sample
};

// The text of quorvane.prom in the exposition format of the textfile collectors:
// UTF-8, LF line ends, no timestamps, the same bytes on every system. A metric the
// sample does not give (the level for a percentage, say) is left out, and so
// is what the system did not tell of the link, and the signal's metrics when its
// value text gave no number.
std::string FormatMetrics(const MetricsSample& sample, std::string_view version = kProgramVersion);

}  // namespace quorvane
