#include "metrics/MetricsText.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(MetricsText, WholeFileForAPercentage) {
  MetricsSample sample;
  sample.signal = SampleOf(Method::kWirelessTool, "70%");
  sample.unix_seconds = 1796652191;
  sample.interval_seconds = 5;
  sample.samples_total = 3;
  EXPECT_EQ(FormatMetrics(sample, "1.2.3"),
            "# HELP quorvane_wifi_signal_ratio WiFi signal strength read by Method #1, the "
            "wireless tool's percentage as 0 to 1.\n"
            "# TYPE quorvane_wifi_signal_ratio gauge\n"
            "quorvane_wifi_signal_ratio 0.7\n"
            "# HELP quorvane_wifi_connected 1 when the last sample found a WiFi connection, 0 "
            "when it found none.\n"
            "# TYPE quorvane_wifi_connected gauge\n"
            "quorvane_wifi_connected 1\n"
            "# HELP quorvane_last_sample_timestamp_seconds Unix time of the last sample.\n"
            "# TYPE quorvane_last_sample_timestamp_seconds gauge\n"
            "quorvane_last_sample_timestamp_seconds 1796652191\n"
            "# HELP quorvane_interval_seconds Seconds between automatic samples, 0 while "
            "automatic logging is off.\n"
            "# TYPE quorvane_interval_seconds gauge\n"
            "quorvane_interval_seconds 5\n"
            "# HELP quorvane_samples_total Samples taken since Quorvane started.\n"
            "# TYPE quorvane_samples_total counter\n"
            "quorvane_samples_total 3\n"
            "# HELP quorvane_info Quorvane's version and the method of the last sample.\n"
            "# TYPE quorvane_info gauge\n"
            "quorvane_info{version=\"1.2.3\",method=\"1\"} 1\n");
}

// The lines that depend on the sample: the signal, the connection and the
// method; a metric the sample does not give is absent, never NaN.
std::string SignalLines(const std::string& value_text, Method method = Method::kWirelessTool) {
  MetricsSample sample;
  sample.signal = SampleOf(method, value_text);
  std::string lines;
  const std::string text = FormatMetrics(sample, "v");
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    if (line.starts_with("quorvane_wifi") || line.starts_with("quorvane_info"))
      lines += line + "\n";
  }
  EXPECT_EQ(text.find("NaN"), std::string::npos);
  return lines;
}

TEST(MetricsText, EachKindOfValueText) {
  EXPECT_EQ(SignalLines(" 7%"),
            "quorvane_wifi_signal_ratio 0.07\nquorvane_wifi_connected 1\n"
            "quorvane_info{version=\"v\",method=\"1\"} 1\n");
  EXPECT_EQ(SignalLines("65%"),
            "quorvane_wifi_signal_ratio 0.65\nquorvane_wifi_connected 1\n"
            "quorvane_info{version=\"v\",method=\"1\"} 1\n");
  EXPECT_EQ(SignalLines("100%"),
            "quorvane_wifi_signal_ratio 1\nquorvane_wifi_connected 1\n"
            "quorvane_info{version=\"v\",method=\"1\"} 1\n");
  EXPECT_EQ(SignalLines("0% (no connection)"),
            "quorvane_wifi_signal_ratio 0\nquorvane_wifi_connected 0\n"
            "quorvane_info{version=\"v\",method=\"1\"} 1\n");
  EXPECT_EQ(SignalLines("0", Method::kSignalStrength),
            "quorvane_wifi_signal_level 0\nquorvane_wifi_connected 1\n"
            "quorvane_info{version=\"v\",method=\"2\"} 1\n");
  EXPECT_EQ(SignalLines("5", Method::kSignalStrength),
            "quorvane_wifi_signal_level 5\nquorvane_wifi_connected 1\n"
            "quorvane_info{version=\"v\",method=\"2\"} 1\n");
  EXPECT_EQ(SignalLines("0 (no connection)", Method::kSignalStrength),
            "quorvane_wifi_signal_level 0\nquorvane_wifi_connected 0\n"
            "quorvane_info{version=\"v\",method=\"2\"} 1\n");
  // Text no reader gives: only what is known, the method of the sample.
  EXPECT_EQ(SignalLines("x%", Method::kSignalStrength),
            "quorvane_info{version=\"v\",method=\"2\"} 1\n");
}

TEST(MetricsText, TheProbesInBaseUnitsOnlyWhatTheyCouldTell) {
  MetricsSample sample;
  sample.signal = SampleOf(Method::kWirelessTool, "70%");
  const std::string off = FormatMetrics(sample, "v");
  EXPECT_EQ(off.find("router"), std::string::npos);
  EXPECT_EQ(off.find("quorvane_cause"), std::string::npos);

  sample.probes = ProbeMetrics{std::nullopt, std::nullopt, true, 12.3456, "ok"};
  const std::string on = FormatMetrics(sample, "v");
  EXPECT_EQ(on.find("quorvane_router"), std::string::npos);  // unavailable: not a guess
  EXPECT_NE(on.find("\nquorvane_internet_up 1\n"), std::string::npos);
  EXPECT_NE(on.find("\nquorvane_internet_rtt_seconds 0.012346\n"), std::string::npos);
  EXPECT_NE(on.find("quorvane_cause{cause=\"ok\"} 1\nquorvane_cause{cause=\"wifi\"} 0\n"),
            std::string::npos)
      << on;
}

TEST(MetricsText, TheLinkInBaseUnitsAndItsNamesAsEscapedLabels) {
  MetricsSample sample;
  sample.signal = SampleOf(Method::kWirelessTool, "70%");
  sample.link.status = LinkContext::Status::kUnavailableLocation;
  EXPECT_EQ(FormatMetrics(sample, "v").find("quorvane_wifi_link"), std::string::npos);

  sample.link.status = LinkContext::Status::kKnown;
  sample.link.ssid = "Caf\xe9 \"A\\B\"\n";  // Latin-1, quoted, a backslash, a line feed
  sample.link.bssid = "aa:bb:cc:dd:ee:ff";
  sample.link.frequency_mhz = 5955;
  sample.link.channel = 1;
  sample.link.signal_dbm = -61;
  sample.link.bitrate_mbps = 866.7;
  const std::string text = FormatMetrics(sample, "v");
  EXPECT_NE(text.find("\nquorvane_wifi_signal_dbm -61\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nquorvane_wifi_transmit_bitrate_bits_per_second 866700000\n"),
            std::string::npos);
  EXPECT_NE(text.find("\nquorvane_wifi_frequency_hertz 5955000000\n"), std::string::npos);
  EXPECT_NE(text.find("\nquorvane_wifi_link_info{ssid=\"Caf\\\\xe9 \\\"A\\\\\\\\B\\\"\\\\x0a\","
                      "bssid=\"aa:bb:cc:dd:ee:ff\",band=\"6\",channel=\"1\"} 1\n"),
            std::string::npos);

  // Only what the system told.
  sample.link = {LinkContext::Status::kKnown, "Home", "", 0, 0, std::nullopt, std::nullopt};
  const std::string bare = FormatMetrics(sample, "v");
  EXPECT_EQ(bare.find("quorvane_wifi_signal_dbm"), std::string::npos);
  EXPECT_EQ(bare.find("quorvane_wifi_transmit"), std::string::npos);
  EXPECT_EQ(bare.find("quorvane_wifi_frequency"), std::string::npos);
  EXPECT_NE(bare.find("quorvane_wifi_link_info{ssid=\"Home\",bssid=\"\",band=\"\",channel=\"\"} 1"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvane
