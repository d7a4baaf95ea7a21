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
  void SetUp() override { InUtc(); }
  void TearDown() override {
    report::UseJournalFolder({});
    InUtc();
  }
  static void InUtc() {
#ifdef _WIN32
    _putenv_s("TZ", "UTC");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
  }

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

// The journal's month files are read together: an outage across the turn of a month
// is still one outage, and a pause at the turn still ends the one before it there.
TEST_F(ReportOutages, OneOutageAcrossTheTurnOfAMonth) {
  journal::Journal journal(folder.path());
  auto samples = [&](std::int64_t from, std::int64_t to, Cause cause) {
    for (std::int64_t utc = from; utc < to; utc += 10) {
      journal::JournalRecord record;
      record.utc = utc;
      record.cause = cause;
      record.router.state = cause == Cause::kRouter ? ProbeState::kDown : ProbeState::kUp;
      record.internet.state = cause == Cause::kOk ? ProbeState::kUp : ProbeState::kDown;
      journal.Append(record);
    }
  };
  constexpr std::int64_t kOctober31 = 1793491080;  // 2026-10-31 23:58:00 UTC
  samples(kOctober31, kOctober31 + 60, Cause::kOk);
  samples(kOctober31 + 60, kOctober31 + 180, Cause::kInternet);  // to 2026-11-01 00:01:00
  samples(kOctober31 + 180, kOctober31 + 240, Cause::kOk);
  constexpr std::int64_t kNovember30 = 1796083140;  // 2026-11-30 23:59:00 UTC
  samples(kNovember30, kNovember30 + 60, Cause::kRouter);
  samples(kNovember30 + 180, kNovember30 + 240, Cause::kOk);  // after a pause of 2 minutes
  WriteFile(log.path() / "Quorvane.txt",
            "10/31/26 23:58:00 WiFi Signal Strength is 70%\r\n"
            "12/01/26 00:02:50 WiFi Signal Strength is 70%\r\n");
  report::UseJournalFolder(folder.path());
  const std::string json = Report(report::Format::kJson);
  EXPECT_NE(json.find("\"router\": {\"count\": 1, \"total_seconds\": 50, \"longest_seconds\": "
                      "50}, \"internet\": {\"count\": 1, \"total_seconds\": 120, "
                      "\"longest_seconds\": 120}}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"start\": \"2026-10-31T23:59:00+00:00\", \"end\": "
                      "\"2026-11-01T00:01:00+00:00\", \"seconds\": 120, \"cause\": \"internet\"}"),
            std::string::npos);
  EXPECT_NE(json.find("{\"start\": \"2026-11-30T23:59:00+00:00\", \"end\": "
                      "\"2026-11-30T23:59:50+00:00\", \"seconds\": 50, \"cause\": \"router\"}"),
            std::string::npos);
}

// Each row of the export gets the record of its second, an empty field where the
// journal has none; without a journal the export is as before.
TEST_F(ReportOutages, TheCsvExportCarriesTheJournalsColumns) {
  Samples({Cause::kOk, Cause::kInternet, Cause::kWifi});
  journal::JournalRecord late;  // a record with round-trip times, 20 minutes later
  late.utc = 1796637600 + 1200;
  late.router = {ProbeState::kUp, 1.5};
  late.internet = {ProbeState::kUp, 23.0625};
  late.cause = Cause::kOk;
  journal::Journal(folder.path()).Append(late);
  std::string log = ReadFile(this->log.path() / "Quorvane.txt");
  log += "12/07/26 10:20:00 WiFi Signal Strength is 70%\r\n";
  log += "12/07/26 10:30:00 WiFi Signal Strength is 70%\r\n";  // not in the journal
  WriteFile(this->log.path() / "Quorvane.txt", log);

  const std::string plain = Report(report::Format::kCsv);
  EXPECT_EQ(plain.substr(0, plain.find('\r')), "\xEF\xBB\xBFtime,method,value,connected,text");

  report::UseJournalFolder(folder.path());
  std::istringstream csv(Report(report::Format::kCsv));
  std::vector<std::string> rows;
  for (std::string row; std::getline(csv, row);) rows.push_back(row.substr(0, row.size() - 1));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0],
            "\xEF\xBB\xBFtime,method,value,connected,text,router,router_rtt_ms,internet,"
            "internet_rtt_ms,cause");
  const auto journal_fields = [](const std::string& row) { return row.substr(row.rfind('"') + 1); };
  EXPECT_EQ(journal_fields(rows[1]), ",down,,down,,ok");
  EXPECT_EQ(journal_fields(rows[2]), ",down,,down,,internet");
  EXPECT_EQ(journal_fields(rows[3]), ",,,,,wifi");
  EXPECT_EQ(rows[4],
            "2026-12-07T10:20:00+00:00,1,70,yes,\"12/07/26 10:20:00 WiFi Signal Strength is "
            "70%\",up,1.500,up,23.063,ok");  // three decimals, as the journal keeps them
  EXPECT_EQ(journal_fields(rows[5]), ",,,,,");
}

// Rows made before their block knows which of the two repeated hours it is in get
// the records of the hour they are in, not of the other one.
TEST_F(ReportOutages, TheCsvExportFindsTheRecordsOfTheRepeatedHour) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#else
  setenv("TZ", "Europe/Berlin", 1);  // back from 03:00 CEST to 02:00 CET on 2026-10-25
  tzset();
  std::string log;
  journal::Journal journal(folder.path());
  constexpr std::int64_t kFirstPass = 1792886400;  // 02:00 CEST, 00:00 UTC
  for (int pass = 0; pass < 2; ++pass) {
    for (int second = 0; second < 3600; ++second) {
      char line[64];
      std::snprintf(line, sizeof line, "2026-10-25 02:%02d:%02d WiFi Signal Strength is 70%%\r\n",
                    second / 60, second % 60);
      for (int copy = 0; copy < (pass == 0 ? 1 : 10); ++copy) log += line;  // blocks apart
      journal::JournalRecord record;
      record.utc = kFirstPass + pass * 3600 + second;
      record.offset = pass == 0 ? 7200 : 3600;
      record.cause = pass == 0 ? Cause::kOk : Cause::kInternet;
      journal.Append(record);
    }
  }
  WriteFile(this->log.path() / "Quorvane.txt", log);
  report::UseJournalFolder(folder.path());
  std::istringstream csv(Report(report::Format::kCsv));
  std::string row;
  std::getline(csv, row);
  for (int i = 0; std::getline(csv, row); ++i)
    ASSERT_TRUE(row.ends_with(i < 3600 ? ",ok\r" : ",internet\r")) << "row " << i << ": " << row;
#endif
}

}  // namespace
}  // namespace quorvane::testing
