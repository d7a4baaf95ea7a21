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

  // The log may also follow the report's options, as with most tools.
  const CommandLine log_last =
      ParseCommandLine({"--report", "--format=json", "-o", "r", "old.txt"});
  ASSERT_TRUE(log_last.report);
  EXPECT_EQ(log_last.report->log, std::filesystem::path("old.txt"));

  const CommandLine own_log = ParseCommandLine({"--report", "--format", "json"});
  ASSERT_TRUE(own_log.report);
  EXPECT_FALSE(own_log.report->log);
  EXPECT_FALSE(own_log.report->output);
}

TEST(CommandLineTest, TheUsualLongOptionFormsAndTheToolkitsOwn) {
  const CommandLine line = ParseCommandLine({"--report", "old.txt", "-o=out.json", "--format=json",
                                             "-style=fusion", "-platform", "xcb", "-reverse"});
  ASSERT_TRUE(line.report);
  EXPECT_EQ(line.report->output, std::filesystem::path("out.json"));
  EXPECT_EQ(line.report->format, report::Format::kJson);
  EXPECT_EQ(ParseCommandLine({"--metrics-folder=/var/lib/prom"}).metrics_folder,
            std::filesystem::path("/var/lib/prom"));
  EXPECT_TRUE(ParseCommandLine({"-h"}).help);
  EXPECT_TRUE(ParseCommandLine({"--report", "--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  if (kWindowsCommandLine)
    EXPECT_TRUE(ParseCommandLine({"/?"}).help);
  else
    EXPECT_THROW(ParseCommandLine({"/?"}), CommandLineError);
}

TEST(CommandLineTest, OnlyTextAnswersTakeAConsoleNeverTheLogger) {
  for (const std::vector<std::string>& text : std::vector<std::vector<std::string>>{
           {"--help"}, {"--version"}, {"--report"}, {"--report", "-o", "r.csv"}, {"stray"}})
    EXPECT_TRUE(AnswersInText(text)) << text.front();
  for (const std::vector<std::string>& logger : std::vector<std::vector<std::string>>{
           {}, {"--metrics-folder", "D:\\prom"}, {"-platform", "xcb"}})
    EXPECT_FALSE(AnswersInText(logger)) << logger.size();
}

TEST(CommandLineTest, AStrayArgumentIsAMistake) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--report", "a.txt", "b.txt"},
                                             {"--report", "-o", "r", "a.txt", "b.txt"},
                                             {"--report", "-"},
                                             {"-x"},
                                             {"stray"},
                                             {"-o="},
                                             {"--report", "-o", "a.html", "--output=b.html"}})
    EXPECT_THROW(ParseCommandLine(arguments), CommandLineError) << arguments.back();
}

TEST(CommandLineTest, WithoutFormatTheOutputFilesExtensionChoosesIt) {
  const auto format_of = [](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "--report");
    return ParseCommandLine(arguments).report->format;
  };
  EXPECT_EQ(format_of({"-o", "x.json"}), report::Format::kJson);
  EXPECT_EQ(format_of({"-o", "week.CSV"}), report::Format::kCsv);
  EXPECT_EQ(format_of({"-o", "x.htm"}), report::Format::kHtml);
  EXPECT_EQ(format_of({"-o", "x.txt"}), report::Format::kHtml);
  EXPECT_EQ(format_of({}), report::Format::kHtml);
  // An explicit format wins, before or after the file.
  EXPECT_EQ(format_of({"--format", "csv", "-o", "x.json"}), report::Format::kCsv);
  EXPECT_EQ(format_of({"-o", "x.json", "--format=html"}), report::Format::kHtml);
}

TEST(CommandLineTest, TheUsageNamesTheProgramAsTypedOnEachSystem) {
  const std::string windows = UsageText(OperatingSystem::kWindows);
  const std::string linux_usage = UsageText(OperatingSystem::kLinux);
  EXPECT_NE(windows.find("       Quorvane.exe --report"), std::string::npos) << windows;
  EXPECT_EQ(windows.find("quorvane "), std::string::npos) << windows;
  EXPECT_NE(linux_usage.find("       quorvane --report"), std::string::npos) << linux_usage;
  EXPECT_EQ(linux_usage.find("Quorvane.exe"), std::string::npos) << linux_usage;
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
