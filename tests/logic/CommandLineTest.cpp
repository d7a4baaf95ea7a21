#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CommandLineTest, NoOptionsRunsTheWindowAsUsual) {
  const CommandLine line = ParseCommandLine({"-platform", "xcb"});
  EXPECT_FALSE(line.report);
  EXPECT_FALSE(line.metrics_folder);
}

TEST(CommandLineTest, ReportWithLogOutputAndFormat) {
  const CommandLine line =
      ParseCommandLine({"--report", "old.txt", "-o", "out.csv", "--format", "csv"});
  ASSERT_TRUE(line.report);
  EXPECT_EQ(line.report->log, std::filesystem::path("old.txt"));
  EXPECT_EQ(line.report->output, std::filesystem::path("out.csv"));
  EXPECT_EQ(line.report->format, report::Format::kCsv);

  const CommandLine own_log = ParseCommandLine({"--report", "--format", "json"});
  ASSERT_TRUE(own_log.report);
  EXPECT_FALSE(own_log.report->log);
  EXPECT_FALSE(own_log.report->output);
}

TEST(CommandLineTest, MetricsFolder) {
  EXPECT_EQ(ParseCommandLine({"--metrics-folder", "/var/lib/prom"}).metrics_folder,
            std::filesystem::path("/var/lib/prom"));
}

TEST(CommandLineTest, MistakesAreToldInOneLine) {
  EXPECT_THROW(ParseCommandLine({"--report", "--format", "pdf"}), CommandLineError);
  EXPECT_THROW(ParseCommandLine({"--metrics-folder"}), CommandLineError);
  EXPECT_THROW(ParseCommandLine({"-o", "x.html"}), CommandLineError);
  EXPECT_THROW(ParseCommandLine({"--reprot"}), CommandLineError);
}

}  // namespace
}  // namespace quorvane
