// The metrics file for Prometheus' textfile collectors: quorvane.prom in the folder
// an administrator chose, rewritten after every sample.
#include "base/PathText.h"
#include "metrics/MetricsText.h"
#include "schedule/IntervalTable.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

constexpr const char* kMetricsFileName = "quorvane.prom";

}  // namespace

void Form1::OpenMetricsFolder() {
  const std::filesystem::path folder =
      metrics_folder_option_
          ? *metrics_folder_option_
          : PathFromText(GetSetting(services_.settings, setting::kMetricsFolder));
  if (folder.empty()) return;
  metrics_ = std::make_unique<MetricsPublisher>(
      folder / kMetricsFileName, loop_,
      [this, folder](const std::string& description) { TellMetricsRefused(folder, description); });
}

void Form1::PublishMetrics(const std::string& value_text, const LinkContext& link) {
  ++samples_taken_;
  metrics_value_text_ = value_text;
  metrics_link_ = link;
  metrics_unix_seconds_ = services_.clock.UnixSeconds();
  PublishMetrics();
}

// Also when the switch or the interval changes, so that an alert on missing
// samples knows what to expect.
void Form1::PublishMetrics() {
  if (!metrics_ || samples_taken_ == 0) return;
  std::int32_t interval = 0;
  const int row = last_interval_row_;
  if (countdown_.on() && row >= 0 && row < static_cast<int>(kIntervalTable.size()))
    interval = quorvane::IntervalSeconds(kIntervalTable[static_cast<std::size_t>(row)].caption);
  MetricsSample sample;
  sample.value_text = metrics_value_text_;
  sample.unix_seconds = metrics_unix_seconds_;
  sample.method =
      view_.IsChecked(Control::Option1) ? Method::kWirelessTool : Method::kSignalStrength;
  sample.interval_seconds = interval;
  sample.samples_total = samples_taken_;
  sample.probes = metrics_probes_;
  sample.link = metrics_link_;
  metrics_->Publish(FormatMetrics(sample));
}

void Form1::TellMetricsRefused(const std::filesystem::path& folder,
                               const std::string& description) {
  // Once per run: samples go on being logged and listed, and the file is tried
  // again after each of them.
  if (metrics_refusal_told_) return;
  metrics_refusal_told_ = true;
  dialogs_.Warn("Quorvane cannot write its metrics file into the folder " + PathText(folder) +
                ": " + description + ". Samples are still logged as usual.");
}

}  // namespace quorvane
