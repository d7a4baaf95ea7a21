// The journal's outages in the report, beside the log's own figures.
#include <gtest/gtest.h>

#include <sstream>

#include "journal/Journal.h"
#include "report/Report.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/TempDir.h"

namespace quorvane::testing {
namespace {

using journal::Cause;
using journal::ProbeState;

class ReportOutages : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    _putenv_s("TZ", "UTC");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
  }
  void TearDown() override { report::UseJournalFolder({}); }

  // One sample every 10 s from 2026-12-07 10:00:00 UTC, in the log and the journal.
  void Samples(const std::vector<Cause>& causes) {
    std::string log;
    journal::Journal journal(folder.path());
    for (std::size_t i = 0; i < causes.size(); ++i) {
      const int second = static_cast<int>(i) * 10;
      char line[80];
      std::snprintf(line, sizeof line, "12/07/26 10:%02d:%02d WiFi Signal Strength is %s",
                    second / 60, second % 60,
                    causes[i] == Cause::kWifi ? "0% (no connection)" : "70%");
      log += line + std::string("\r\n");
      journal::JournalRecord record;
      record.utc = 1796637600 + second;
      record.connected = causes[i] != Cause::kWifi;
      record.value = record.connected ? "70%" : "0% (no connection)";
      record.cause = causes[i];
      if (causes[i] != Cause::kNone && causes[i] != Cause::kWifi)
        record.router.state = record.internet.state = ProbeState::kDown;  // enough for the report
      journal.Append(record);
    }
    WriteFile(this->log.path() / "Quorvane.txt", log);
  }
  std::string Report(report::Format format) {
    std::ostringstream out;
    report::WriteReport(log.path() / "Quorvane.txt", format, clock, out);
    return out.str();
  }

  TempDir folder{"journal"};
  TempDir log{"temp"};
  FakeClock clock;
};

TEST_F(ReportOutages, ListedByCauseInTheJsonAndForTheProviderInTheHtml) {
  Samples({Cause::kOk, Cause::kInternet, Cause::kInternet, Cause::kRouter, Cause::kOk, Cause::kWifi,
           Cause::kUnknown, Cause::kInternet, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string json = Report(report::Format::kJson);
  EXPECT_NE(json.find("\"outages\": {\"wifi\": {\"count\": 1, \"total_seconds\": 10, "
                      "\"longest_seconds\": 10}, \"router\": {\"count\": 1, \"total_seconds\": 10, "
                      "\"longest_seconds\": 10}, \"internet\": {\"count\": 2, \"total_seconds\": "
                      "30, \"longest_seconds\": 20}}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"start\": \"2026-12-07T10:00:10+00:00\", \"end\": "
                      "\"2026-12-07T10:00:30+00:00\", \"seconds\": 20, \"cause\": \"internet\"}"),
            std::string::npos);
  const std::string html = Report(report::Format::kHtml);
  EXPECT_NE(html.find("<h3>For your provider</h3>"), std::string::npos);
  EXPECT_NE(html.find("<h3>Round-trip times</h3>"), std::string::npos);
  EXPECT_NE(html.find("fill=\"#e06060\""), std::string::npos);  // lost probes shaded
  EXPECT_NE(html.find("2026-12-07 10:00:10</td><td>2026-12-07 10:00:30</td>"), std::string::npos)
      << html;
}

TEST_F(ReportOutages, WithoutProbesOnlyWifiAndHowToTurnThemOnWithoutAJournalTodaysReport) {
  Samples({Cause::kNone, Cause::kWifi, Cause::kNone});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  EXPECT_NE(html.find("turn on \"Probe the Router and the Internet\""), std::string::npos);
  EXPECT_EQ(html.find("For your provider"), std::string::npos);

  report::UseJournalFolder(log.path() / "no journal here");
  EXPECT_EQ(Report(report::Format::kJson).find("outages"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::testing
