// The metrics file that the window writes after every sample, when a folder is set.
#include <gtest/gtest.h>

#include <thread>

#include "metrics/MetricsText.h"
#include "platform/Files.h"
#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

// The file is written on a thread of its own.
bool FileBecomes(const std::filesystem::path& file, const std::string& text) {
  for (int i = 0; i < 500; ++i) {
    if (ReadFile(file) == text) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ADD_FAILURE() << file << " holds:\n" << ReadFile(file) << "instead of:\n" << text;
  return false;
}

std::string Expected(const FakeClock& clock, std::int32_t interval, std::uint64_t samples) {
  MetricsSample sample;
  sample.signal = SampleOf(Method::kWirelessTool, "70%");
  sample.unix_seconds = clock.unix_seconds;
  sample.interval_seconds = interval;
  sample.samples_total = samples;
  return FormatMetrics(sample);
}

TEST(Form1Metrics, WrittenAfterEverySampleTheOptionWinningOverTheSetting) {
  Form1Harness h;
  TempDir metrics("metrics");
  h.settings.values["Metrics Folder"] = (h.temp / "elsewhere").string();
  h.metrics_folder_option = metrics.path();
  h.Load();
  const auto file = metrics / "quorvane.prom";

  h.Tick(5);
  h.WaitForReading();
  FileBecomes(file, Expected(h.clock, 5, 1));
  h.clock.unix_seconds += 7;
  h.form->LogNow();
  h.WaitForReading();
  FileBecomes(file, Expected(h.clock, 5, 2));
  // Turned off, the interval reads 0 at once, so no alert waits for a sample.
  h.form->SwitchAutomaticLogging();
  FileBecomes(file, Expected(h.clock, 0, 2));

  EXPECT_EQ(h.settings.values["Metrics Folder"], (h.temp / "elsewhere").string());
  EXPECT_FALSE(std::filesystem::exists(h.temp / "elsewhere"));
  EXPECT_TRUE(h.dialogs.silent());
}

TEST(Form1Metrics, AFolderThatCannotBeWrittenIsToldOnceAndSamplingGoesOn) {
  Form1Harness h;
  const auto not_a_folder = h.temp / "plain file";
  WriteFile(not_a_folder, "");
  h.settings.values["Metrics Folder"] = not_a_folder.string();
  h.Load();
  for (int sample = 1; sample <= 2; ++sample) {
    h.Tick(5);
    h.WaitForReading();
    EXPECT_TRUE(h.loop.WaitForPosted(std::chrono::seconds(5))) << "no failure told";
  }
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_EQ(h.dialogs.warnings[0], "Quorvane cannot write its metrics file into the folder " +
                                       not_a_folder.string() +
                                       ": Path not found. Samples are still logged as usual.");
  EXPECT_TRUE(h.dialogs.errors.empty());
  EXPECT_EQ(h.history.size(), 2u);
  const std::string line = "12/07/26 14:03:11 WiFi Signal Strength is 70%" + std::string(kLineEnd);
  EXPECT_EQ(h.Log(), line + line);
}

}  // namespace
}  // namespace quorvane::testing
