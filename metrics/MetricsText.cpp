#include "metrics/MetricsText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/Digits.h"
#include "model/RadioBand.h"
#include "model/SignalValue.h"
#include "model/SsidText.h"

namespace quorvane {

const std::string_view kProgramVersion = QUORVANE_VERSION;

namespace {

// Written out from the whole percentage, so no locale or floating-point rounding
// can change the bytes: 7 gives "0.07", 70 gives "0.7".
std::string RatioText(int percent) {
  if (percent == 0) return "0";
  if (percent == 100) return "1";
  std::string text{'0', '.', static_cast<char>('0' + percent / 10),
                   static_cast<char>('0' + percent % 10)};
  if (text.back() == '0') text.pop_back();
  return text;
}

// Seconds with six decimals from whole microseconds, the same bytes in every locale.
std::string SecondsText(double milliseconds) {
  const long long micro = std::llround(std::max(0.0, milliseconds) * 1000);
  char text[40];
  std::snprintf(text, sizeof text, "%lld.%06lld", micro / 1000000, micro % 1000000);
  return text;
}

void AddMetric(std::string& out, std::string_view name, std::string_view type,
               std::string_view help, std::string_view value, std::string_view labels = {}) {
  out.append("# HELP ").append(name).append(" ").append(help).append("\n");
  out.append("# TYPE ").append(name).append(" ").append(type).append("\n");
  out.append(name).append(labels).append(" ").append(value).append("\n");
}

// A probe's state and round-trip time, each only when the probe could tell it.
void AddProbe(std::string& out, const std::string& name, std::string_view up_help,
              std::string_view rtt_help, std::optional<bool> up, std::optional<double> rtt_ms) {
  if (up) AddMetric(out, name + "_up", "gauge", up_help, *up ? "1" : "0");
  if (rtt_ms) AddMetric(out, name + "_rtt_seconds", "gauge", rtt_help, SecondsText(*rtt_ms));
}

void AddProbeMetrics(std::string& out, const ProbeMetrics& probes) {
  AddProbe(out, "quorvane_router",
           "1 when the router answered the last sample's probe, 0 when it did not.",
           "Round-trip time of the router's answer to the last probe.", probes.router_up,
           probes.router_rtt_ms);
  AddProbe(out, "quorvane_internet",
           "1 when an internet target answered the last sample's probes, 0 when none did.",
           "Round-trip time of the fastest internet target's answer to the last probes.",
           probes.internet_up, probes.internet_rtt_ms);
  out.append("# HELP quorvane_cause The cause of the last sample: 1 for the one it had.\n");
  out.append("# TYPE quorvane_cause gauge\n");
  for (const char* cause : {"ok", "wifi", "router", "internet", "unknown"})
    out.append("quorvane_cause{cause=\"")
        .append(cause)
        .append("\"} ")
        .append(probes.cause == cause ? "1" : "0")
        .append("\n");
}

// A label's value in the exposition format: backslash, quote and line feed escaped.
std::string LabelValue(std::string_view text) {
  std::string value;
  for (const char c : text) {
    if (c == '\\' || c == '"') value += '\\';
    if (c == '\n') {
      value += "\\n";
      continue;
    }
    value += c;
  }
  return value;
}

// The link in base units, and its names in an info metric of their own so that
// they do not multiply the other series.
void AddLinkMetrics(std::string& out, const LinkContext& link) {
  if (link.status != LinkContext::Status::kKnown) return;
  if (link.signal_dbm)
    AddMetric(out, "quorvane_wifi_signal_dbm", "gauge",
              "Signal of the access point in use in dBm, as the system tells it.",
              std::to_string(*link.signal_dbm));
  if (link.bitrate_mbps)
    AddMetric(out, "quorvane_wifi_transmit_bitrate_bits_per_second", "gauge",
              "Transmit bitrate of the link in use.",
              std::to_string(std::llround(std::max(0.0, *link.bitrate_mbps) * 1e6)));
  if (link.frequency_mhz > 0)
    AddMetric(out, "quorvane_wifi_frequency_hertz", "gauge", "Frequency of the link in use.",
              std::to_string(std::int64_t{link.frequency_mhz} * 1000000));
  const std::string labels = "{ssid=\"" + LabelValue(SsidText(link.ssid)) + "\",bssid=\"" +
                             LabelValue(link.bssid) + "\",band=\"" +
                             std::string(BandOf(link.frequency_mhz)) + "\",channel=\"" +
                             (link.channel > 0 ? std::to_string(link.channel) : "") + "\"}";
  AddMetric(out, "quorvane_wifi_link_info", "gauge",
            "The network, access point, band (GHz) and channel of the link in use.", "1", labels);
}

}  // namespace

std::string FormatMetrics(const MetricsSample& sample, std::string_view version) {
  const SignalSample& signal = sample.signal;
  const bool percent = signal.method == Method::kWirelessTool;
  std::string out;
  if (signal.value && percent)
    AddMetric(out, "quorvane_wifi_signal_ratio", "gauge",
              "WiFi signal strength read by Method #1, the wireless tool's percentage as 0 to 1.",
              RatioText(*signal.value));
  if (signal.value && !percent)
    AddMetric(out, "quorvane_wifi_signal_level", "gauge",
              "WiFi signal level read by Method #2, 0 to 5.", std::to_string(*signal.value));
  if (signal.value)
    AddMetric(out, "quorvane_wifi_connected", "gauge",
              "1 when the last sample found a WiFi connection, 0 when it found none.",
              signal.connected ? "1" : "0");
  AddLinkMetrics(out, sample.link);
  if (sample.probes) AddProbeMetrics(out, *sample.probes);
  AddMetric(out, "quorvane_last_sample_timestamp_seconds", "gauge", "Unix time of the last sample.",
            std::to_string(sample.unix_seconds));
  AddMetric(out, "quorvane_interval_seconds", "gauge",
            "Seconds between automatic samples, 0 while automatic logging is off.",
            std::to_string(sample.interval_seconds));
  AddMetric(out, "quorvane_samples_total", "counter", "Samples taken since Quorvane started.",
            std::to_string(sample.samples_total));
  const std::string labels = "{version=\"" + std::string(version) + "\",method=\"" +
                             std::string(percent ? "1" : "2") + "\"}";
  AddMetric(out, "quorvane_info", "gauge", "Quorvane's version and the method of the last sample.",
            "1", labels);
  return out;
}

}  // namespace quorvane
