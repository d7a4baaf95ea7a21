#include "app/ReportCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using ::testing::HasSubstr;

class ReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    own_log_ = folder_ / "Quorvane.txt";
    std::ofstream(own_log_, std::ios::binary)
        << "12/07/26 10:00:00 WiFi Signal Strength is 70%\r\n";
  }

  std::optional<int> Run(const std::vector<std::string>& arguments, bool console = true) {
    return RunReportOptions(arguments, {own_log_, clock_, console ? &out_ : nullptr, errors_});
  }

  testing::FakeClock clock_;
  // A folder of each test's own: the tests run side by side.
  testing::TempDir temp_;
  std::filesystem::path folder_ = temp_.path();
  std::filesystem::path own_log_;
  std::ostringstream out_;
  std::ostringstream errors_;
};

TEST_F(ReportCommandTest, WithoutReportOptionsTheProgramRunsAsUsual) {
  EXPECT_EQ(Run({}), std::nullopt);
  EXPECT_EQ(Run({"-platform", "offscreen"}), std::nullopt);
  EXPECT_TRUE(out_.str().empty());
}

TEST_F(ReportCommandTest, TheOwnLogToTheConsoleOrAFile) {
  EXPECT_EQ(Run({"--report", "--format", "csv"}), kExitReportWritten);
  EXPECT_THAT(out_.str(), HasSubstr("2026-12-07T10:00:00"));

  const auto file = folder_ / "report.json";
  EXPECT_EQ(Run({"--report", "-o", file.string(), "--format", "json"}), kExitReportWritten);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(errors_.str().empty());
}

TEST_F(ReportCommandTest, HelpAndVersionGoToStandardOutput) {
  EXPECT_EQ(Run({"--help"}), kExitReportWritten);
  EXPECT_THAT(out_.str(), HasSubstr("--report [LOG]"));
  out_.str("");
  EXPECT_EQ(Run({"--version"}), kExitReportWritten);
  EXPECT_THAT(out_.str(), ::testing::StartsWith("Quorvane "));
  EXPECT_TRUE(errors_.str().empty());
}

TEST_F(ReportCommandTest, FailuresGiveAStatusAndOneLine) {
  EXPECT_EQ(Run({"--report", (folder_ / "missing.txt").string()}), kExitReportFailed);
  EXPECT_THAT(errors_.str(), HasSubstr("missing.txt"));

  errors_.str("");
  EXPECT_EQ(Run({"--report", "--format", "pdf"}), kExitUsage);
  EXPECT_THAT(errors_.str(), HasSubstr("pdf"));

  errors_.str("");
  EXPECT_EQ(Run({"--report", own_log_.string(), own_log_.string()}), kExitUsage);  // two logs
  EXPECT_THAT(errors_.str(), HasSubstr("Unexpected argument"));

  errors_.str("");
  EXPECT_EQ(Run({"--report"}, false), kExitUsage);  // a GUI program without a console
  EXPECT_THAT(errors_.str(), HasSubstr("-o FILE"));
}

}  // namespace
}  // namespace quorvane
