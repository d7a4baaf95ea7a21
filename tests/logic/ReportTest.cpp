// The report on crafted logs whose figures are known.
#include "report/Report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/DateTimeReader.h"
#include "report/LogFile.h"
#include "report/ParsedBlocks.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane::report {
namespace {

// An American user's clock: "12/7/2026" and "1:41:29 PM".
class AmericanClock : public testing::FakeClock {
 public:
  std::string ShortDate(const LocalDateTime& when) const override {
    return std::to_string(when.month) + "/" + std::to_string(when.day) + "/" +
           std::to_string(when.year);
  }
  std::string LongTime(const LocalDateTime& when) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", when.hour % 12 == 0 ? 12 : when.hour % 12,
                  when.minute, when.second, when.hour < 12 ? "AM" : "PM");
    return text;
  }
};

void SetTimeZone(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone);
  _tzset();
#else
  setenv("TZ", zone, 1);
  tzset();
#endif
}

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTimeZone("UTC");
    folder_ = std::filesystem::temp_directory_path() /
              ("quorvane-report-" + std::to_string(std::rand()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    log_ = folder_ / "Quorvane.txt";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    SetTimeZone("UTC");
  }

  // The log's bytes as given, each line ended with CR LF as Quorvane writes them.
  void WriteLog(const std::vector<std::string>& lines, const std::string& tail = "") {
    std::ofstream out(log_, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
    out << tail;
  }

  std::string Report(Format format) {
    std::ostringstream out;
    WriteReport(log_, format, clock_, out);
    return out.str();
  }

  // The time column of each CSV row.
  std::vector<std::string> CsvTimes() {
    std::istringstream csv(Report(Format::kCsv));
    std::vector<std::string> times;
    std::string row;
    std::getline(csv, row);  // the header
    while (std::getline(csv, row)) times.push_back(row.substr(0, row.find(',')));
    return times;
  }

  AmericanClock clock_;
  std::filesystem::path folder_;
  std::filesystem::path log_;
};

MATCHER_P(Has, text, "") { return arg.find(text) != std::string::npos; }

TEST_F(ReportTest, EachDateFormIsRead) {
  WriteLog({
      "12/7/2026 1:41:29 PM WiFi Signal Strength is 70%",     // the form written now
      "12/8/2026 WiFi Signal Strength is 70%",                // midnight: the date alone
      "2026-12-09 13:41:29 WiFi Signal Strength is 70%",      // ISO
      "2026-12-09T13:41:30 WiFi Signal Strength is 70%",      // ISO with its T
      "10.12.2026 13:41:29 WiFi Signal Strength is 70%",      // German: day first
      "2026. 12. 11. 13:41:29 WiFi Signal Strength is 70%",   // Hungarian
      "12/12/26 13:41:29 WiFi Signal Strength is 70%",        // a 2-digit year, 24 hours
      "12/12/2026 1:41:31 p.m. WiFi Signal Strength is 70%",  // another spelling of PM
      "12/12/2026 12:05:00 AM WiFi Signal Strength is 70%",   // 12 AM is just after midnight
      "2026/12/13 13:41:29 WiFi Signal Strength is 70%",      // year first with slashes
  });
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-12-07T13:41:29+00:00", "2026-12-08T00:00:00+00:00",
                                      "2026-12-09T13:41:29+00:00", "2026-12-09T13:41:30+00:00",
                                      "2026-12-10T13:41:29+00:00", "2026-12-11T13:41:29+00:00",
                                      "2026-12-12T13:41:29+00:00", "2026-12-12T13:41:31+00:00",
                                      "2026-12-12T00:05:00+00:00", "2026-12-13T13:41:29+00:00"}));
}

// A line's text goes into the export whole, as UTF-8, a designator in another
// script too: "2026. 12. 7. 오후 1:41:29" from a Korean clock.
TEST_F(ReportTest, ADesignatorInAnotherScriptIsExportedWhole) {
  class KoreanClock : public testing::FakeClock {
   public:
    std::string ShortDate(const LocalDateTime& when) const override {
      return std::to_string(when.year) + ". " + std::to_string(when.month) + ". " +
             std::to_string(when.day) + ".";
    }
    std::string LongTime(const LocalDateTime& when) const override {
      char text[32];
      std::snprintf(text, sizeof text, "%s %d:%02d:%02d",
                    when.hour < 12 ? "\xEC\x98\xA4\xEC\xA0\x84" : "\xEC\x98\xA4\xED\x9B\x84",
                    when.hour % 12 == 0 ? 12 : when.hour % 12, when.minute, when.second);
      return text;
    }
  } korean;
  const std::string line =
      "2026. 12. 7. \xEC\x98\xA4\xED\x9B\x84 1:41:29 WiFi Signal Strength is 70%";
  WriteLog({line});
  std::ostringstream out;
  WriteReport(log_, Format::kCsv, korean, out);
  std::istringstream csv(out.str());
  std::string row;
  std::getline(csv, row);  // the header
  std::getline(csv, row);
  EXPECT_EQ(row, "2026-12-07T13:41:29+00:00,1,70,yes,\"" + line + "\"\r");
}

// Most lines are read a quicker way when the line before has the same date: each
// line given twice must give the same row twice, or be unreadable twice.
TEST_F(ReportTest, ALineAfterOneOfTheSameDateIsReadAlike) {
  const std::vector<std::string> lines = {
      "12/7/2026 1:41:29 PM WiFi Signal Strength is 70%",
      "12/7/2026 1:41:30 PM WiFi Signal Strength is  5%",
      "12/7/2026 1:41:31 PM WiFi Signal Strength is 100%",
      "12/7/2026 1:41:32 PM WiFi Signal Strength is 05%",
      "12/7/2026 1:41:33 PM WiFi Signal Strength is 0% (no connection)",
      "12/7/2026 1:41:34 PM WiFi Signal Strength is 5",
      "12/7/2026 1:41:35 PM WiFi Signal Strength is 0 (no connection)",
      "12/7/2026 13:41:36 PM WiFi Signal Strength is 70%",  // no such time
      "12/7/2026 1:41:37 PM WiFi Signal Strength is 6",     // no such level
      "12/7/2026 1:41:38 PM WiFi Signal Strength is 0%",    // without Quorvane's blank
      "12/7/2026 1:41:39 PMWiFi Signal Strength is 70%",
      "12/7/2026  1:41:40 PM WiFi Signal Strength is 70%",
      "12/7/2026 1:41 PM WiFi Signal Strength is 70%",
      "12/7/2026 21:41:41 WiFi Signal Strength is 70%",
      "12/7/2026 1:41:42 p.m. WiFi Signal Strength is 70%",
      "12/7/20261 1:41:43 PM WiFi Signal Strength is 70%",
  };
  std::vector<std::string> twice;
  for (const std::string& line : lines) {
    twice.push_back(line);
    twice.push_back(line);
  }
  WriteLog(twice);
  std::istringstream csv(Report(Format::kCsv));
  std::vector<std::string> rows;
  for (std::string row; std::getline(csv, row);) rows.push_back(row);
  ASSERT_EQ(rows.size() % 2, 1u);  // the header, then rows in pairs
  for (std::size_t i = 1; i < rows.size(); i += 2) EXPECT_EQ(rows[i], rows[i + 1]);
  EXPECT_THAT(Report(Format::kJson), Has("\"lines\": 32, \"unreadable_lines\": 8,"));
}

// The date of the line before is remembered, but a line is read as it would be
// alone: a dotted date's last dot and a "T" after a date that is not ISO count.
TEST_F(ReportTest, ALineIsReadAsItWouldBeAlone) {
  WriteLog({
      "7.12.2026 13:41:29 WiFi Signal Strength is 70%",
      "7.12.2026. 13:41:30 WiFi Signal Strength is 70%",  // read alone, it is readable
      "12/7/2026 1:41:31 PM WiFi Signal Strength is 70%",
      "12/7/2026T13:41:32 WiFi Signal Strength is 70%",  // alone, it is not
  });
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-12-07T13:41:29+00:00", "2026-12-07T13:41:30+00:00",
                                      "2026-12-07T13:41:31+00:00"}));
}

TEST_F(ReportTest, AFileThatSettlesDayBeforeMonth) {
  // An American clock, but a log written under a day-first locale: "13/12" can
  // only be day first, so "5/12" is the 5th of December too.
  WriteLog({"5/12/2026 10:00:00 WiFi Signal Strength is 70%",
            "13/12/2026 10:00:00 WiFi Signal Strength is 70%"});
  const std::vector<std::string> expected = {"2026-12-05T10:00:00+00:00",
                                             "2026-12-13T10:00:00+00:00"};
  EXPECT_EQ(CsvTimes(), expected);
  EXPECT_THAT(Report(Format::kJson), Has("\"day_month_order\": \"day-month\""));
  // Into a file, the rows are written again once the order is known.
  WriteReportFile(log_, Format::kCsv, clock_, folder_ / "out.csv");
  std::ifstream csv(folder_ / "out.csv");
  std::string header, first;
  std::getline(csv, header);
  std::getline(csv, first);
  EXPECT_EQ(first.substr(0, 25), expected[0]);
  // A file tells a spreadsheet it is UTF-8, and only its owner may read it.
  EXPECT_EQ(header.substr(0, 8), "\xEF\xBB\xBFtime,");
#ifndef _WIN32
  EXPECT_EQ(
      std::filesystem::status(folder_ / "out.csv").permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif

  // Nothing settles it: the locale's order.
  WriteLog({"5/12/2026 10:00:00 WiFi Signal Strength is 70%"});
  EXPECT_EQ(CsvTimes(), std::vector<std::string>{"2026-05-12T10:00:00+00:00"});

  // Only settling dates: the order they show is still reported.
  WriteLog({"13/12/2026 10:00:00 WiFi Signal Strength is 70%"});
  EXPECT_THAT(Report(Format::kJson), Has("\"day_month_order\": \"day-month\""));
}

TEST_F(ReportTest, DropsAgainstGaps) {
  WriteLog({
      "12/7/2026 10:00:00 AM WiFi Signal Strength is 70%",
      "12/7/2026 10:00:10 AM WiFi Signal Strength is 0% (no connection)",
      "12/7/2026 10:00:20 AM WiFi Signal Strength is 0% (no connection)",
      "12/7/2026 10:00:30 AM WiFi Signal Strength is 0% (no connection)",
      "12/7/2026 10:00:40 AM WiFi Signal Strength is 65%",
      "12/7/2026 10:00:50 AM WiFi Signal Strength is  5%",
      "12/7/2026 10:01:00 AM WiFi Signal Strength is 0% (no connection)",
      // Quorvane stopped for two hours, still without a connection: a gap, and the
      // disconnection is only known up to the last sample before it.
      "12/7/2026 12:01:00 PM WiFi Signal Strength is 60%",
      "12/7/2026 12:01:10 PM WiFi Signal Strength is 60%",
      "12/7/2026 12:01:20 PM WiFi Signal Strength is 0",  // a weak level, not a drop
      "12/7/2026 12:01:30 PM WiFi Signal Strength is 1",
      "12/7/2026 12:01:40 PM WiFi Signal Strength is 60%",
  });
  const std::string json = Report(Format::kJson);
  EXPECT_THAT(json, Has("\"disconnections\": {\"count\": 2, \"total_seconds\": 30, "
                        "\"longest_seconds\": 30}"));
  EXPECT_THAT(json, Has("{\"start\": \"2026-12-07T10:00:10+00:00\", \"end\": "
                        "\"2026-12-07T10:00:40+00:00\", \"seconds\": 30}"));
  EXPECT_THAT(json, Has("\"gaps\": {\"count\": 1, \"total_seconds\": 7200}"));
  EXPECT_THAT(json, Has("\"weak_share\": 100.0, \"poor_threshold\": 1, \"poor_share\": 50.0, "
                        "\"drops\": 0"));  // Method #2: "0" is weak and poor, not a drop
}

TEST_F(ReportTest, ADisconnectionAcrossMidnight) {
  WriteLog({
      "12/7/2026 11:59:40 PM WiFi Signal Strength is 70%",
      "12/7/2026 11:59:50 PM WiFi Signal Strength is 0% (no connection)",
      "12/8/2026 WiFi Signal Strength is 0% (no connection)",
      "12/8/2026 12:00:10 AM WiFi Signal Strength is 0% (no connection)",
      "12/8/2026 12:00:20 AM WiFi Signal Strength is 80%",
  });
  const std::string json = Report(Format::kJson);
  EXPECT_THAT(json, Has("{\"start\": \"2026-12-07T23:59:50+00:00\", \"end\": "
                        "\"2026-12-08T00:00:20+00:00\", \"seconds\": 30}"));
  EXPECT_THAT(json, Has("{\"date\": \"2026-12-07\", \"samples\": 2, \"disconnections\": 1"));
  EXPECT_THAT(json, Has("{\"date\": \"2026-12-08\", \"samples\": 3, \"disconnections\": 0"));
  EXPECT_THAT(json, Has("\"gaps\": {\"count\": 0"));
}

TEST_F(ReportTest, BothMethodsInOneFileKeepTheirOwnFigures) {
  WriteLog({
      "12/7/2026 10:00:00 AM WiFi Signal Strength is 20%",
      "12/7/2026 10:00:05 AM WiFi Signal Strength is 40%",
      "12/7/2026 10:00:10 AM WiFi Signal Strength is 90%",
      "12/7/2026 10:00:15 AM WiFi Signal Strength is 100%",
      "12/7/2026 10:00:20 AM WiFi Signal Strength is 5",
      "12/7/2026 10:00:25 AM WiFi Signal Strength is 4",
      "12/7/2026 10:00:30 AM WiFi Signal Strength is 0 (no connection)",
  });
  const std::string json = Report(Format::kJson);
  EXPECT_THAT(json, Has("\"method1\": {\"samples\": 4, \"min\": 20, \"median\": 65, "
                        "\"mean\": 62.5, \"max\": 100,"));
  EXPECT_THAT(json, Has("\"weak_threshold\": 50, \"weak_share\": 50.0, \"poor_threshold\": 30, "
                        "\"poor_share\": 25.0, \"drops\": 0"));
  EXPECT_THAT(json, Has("\"method2\": {\"samples\": 3, \"min\": 0, \"median\": 4, "
                        "\"mean\": 3.0, \"max\": 5,"));
  std::istringstream csv(Report(Format::kCsv));
  std::string row;
  std::vector<std::string> rows;
  while (std::getline(csv, row)) rows.push_back(row);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[7],
            "2026-12-07T10:00:30+00:00,2,0,no,\"12/7/2026 10:00:30 AM WiFi Signal "
            "Strength is 0 (no connection)\"\r");
}

// Each bar chart of the mean by hour has a value axis in its method's unit and
// names its hours.
TEST_F(ReportTest, TheMeanByHourHasAValueAxisWithItsUnitAndHourLabels) {
  WriteLog({"12/7/2026 10:00:00 AM WiFi Signal Strength is 60%",
            "12/7/2026 10:00:05 AM WiFi Signal Strength is 4"});
  const std::string html = Report(Format::kHtml);
  std::vector<std::string> charts;
  for (std::size_t at = html.find("<svg class=\"hours\""); at != std::string::npos;
       at = html.find("<svg class=\"hours\"", at + 1))
    charts.push_back(html.substr(at, html.find("</svg>", at) - at));
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_THAT(charts[0], Has(">100%</text>"));
  EXPECT_THAT(charts[0], ::testing::Not(Has(">level</text>")));
  EXPECT_THAT(charts[1], Has(">5</text>"));
  EXPECT_THAT(charts[1], Has(">level</text>"));
  for (const std::string& chart : charts) {
    EXPECT_THAT(chart, Has(">00</text>"));
    EXPECT_THAT(chart, Has(">23</text>"));
    EXPECT_THAT(chart, Has(">hour</text>"));
  }
}

TEST_F(ReportTest, TheRepeatedHourWhenDaylightSavingTimeEnds) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#endif
  SetTimeZone("Europe/Berlin");  // back from 03:00 CEST to 02:00 CET on 2026-10-25
  WriteLog({
      "2026-10-25 01:59:30 WiFi Signal Strength is 70%",
      "2026-10-25 02:30:00 WiFi Signal Strength is 70%",
      "2026-10-25 02:59:30 WiFi Signal Strength is 70%",
      "2026-10-25 02:00:00 WiFi Signal Strength is 70%",  // the same hour again
      "2026-10-25 02:30:00 WiFi Signal Strength is 70%",
      "2026-10-25 03:00:00 WiFi Signal Strength is 70%",
  });
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-10-25T01:59:30+02:00", "2026-10-25T02:30:00+02:00",
                                      "2026-10-25T02:59:30+02:00", "2026-10-25T02:00:00+01:00",
                                      "2026-10-25T02:30:00+01:00", "2026-10-25T03:00:00+01:00"}));
}

// The export's rows are made a block at a time: the block after one that ends in
// the repeated hour still learns from it which of the two hours it is in.
TEST_F(ReportTest, TheRepeatedHourAcrossBlocks) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#endif
  SetTimeZone("Europe/Berlin");
  std::vector<std::string> lines;
  for (int pass = 0; pass < 2; ++pass)  // 02:00 to 02:59 in summer time, then again
    for (int second = 0; second < 3600; ++second)
      for (int copy = 0; copy < (pass == 0 ? 1 : 10); ++copy)
        lines.push_back("2026-10-25 02:" + std::string(second / 600 == 0 ? "0" : "") +
                        std::to_string(second / 60) + ":" + (second % 60 < 10 ? "0" : "") +
                        std::to_string(second % 60) + " WiFi Signal Strength is 70%");
  WriteLog(lines);
  const std::vector<std::string> times = CsvTimes();
  ASSERT_EQ(times.size(), lines.size());
  for (std::size_t i = 0; i < times.size(); ++i)
    ASSERT_EQ(times[i].substr(19), i < 3600 ? "+02:00" : "+01:00") << "row " << i;
}

TEST_F(ReportTest, BrokenAndCutLinesAreCountedAndSkipped) {
  WriteLog(
      {
          "12/7/2026 10:00:00 AM WiFi Signal Strength is 70%",
          "not a history line",
          "13/13/2026 10:00:00 AM WiFi Signal Strength is 70%",  // no such month
          "12/7/2026 10:00:05 AM WiFi Signal Strength is 7",     // no such level
          "12/7/2026 10:00:05 AM WiFi Signal Strength is 100% (no connection)",
          std::string("\0\0\0\0", 4),  // left by a crash
          "12/7/2026 10:00:10 AM WiFi Signal Strength is 60%",
      },
      "12/7/2026 10:00:15 AM WiFi Signal Stre");  // cut short by a crash
  EXPECT_THAT(Report(Format::kJson), Has("\"lines\": 8, \"unreadable_lines\": 6, \"samples\": 2"));
  EXPECT_EQ(CsvTimes().size(), 2u);
}

// A log of several megabytes is read in blocks by two threads: a line cut by a
// block's end, and a line far longer than any history line, lose no sample.
TEST_F(ReportTest, ALogOfManyBlocksIsReadWhole) {
  std::vector<std::string> lines;
  for (int second = 0; second < 86400; ++second) {
    if (second == 40000) lines.push_back(std::string(200000, 'x'));
    char line[64];
    std::snprintf(line, sizeof line, "12/7/2026 %d:%02d:%02d %s WiFi Signal Strength is %d%%",
                  second / 3600 % 12 == 0 ? 12 : second / 3600 % 12, second / 60 % 60, second % 60,
                  second < 43200 ? "AM" : "PM", 10 + second % 90);
    lines.push_back(line);
  }
  WriteLog(lines);
  EXPECT_THAT(Report(Format::kJson),
              Has("\"lines\": 86401, \"unreadable_lines\": 1, \"samples\": 86400"));
  EXPECT_EQ(CsvTimes().size(), 86400u);
}

// What fails while a block is worked on, on either thread, reaches the caller
// rather than ending the program.
TEST_F(ReportTest, AFailureInABlockReachesTheCaller) {
  WriteLog(std::vector<std::string>(100000, "12/7/2026 1:41:29 PM WiFi Signal Strength is 70%"));
  LogFile file(log_);
  ParsedBlocks blocks(file, DateTimeReader(CurrentForm::Learn(clock_), DayMonthOrder::kMonthFirst),
                      [](ParsedBlocks::Block&) { throw ReportError("no room"); });
  EXPECT_THROW(blocks.Next(), ReportError);
}

TEST_F(ReportTest, FailuresAreToldInOneLineNamingTheFile) {
  try {
    Report(Format::kHtml);
    FAIL() << "no error";
  } catch (const ReportError& error) {
    const std::string message = error.what();
    EXPECT_THAT(message, Has("Quorvane.txt"));
    EXPECT_EQ(message.find('\n'), std::string::npos);
  }
  // A report asked to replace the log it reads leaves the log alone.
  WriteLog({"12/7/2026 10:00:00 AM WiFi Signal Strength is 70%"});
  EXPECT_THROW(WriteReportFile(log_, Format::kCsv, clock_, log_), ReportError);
  EXPECT_EQ(std::filesystem::file_size(log_), 51u);
}

TEST_F(ReportTest, TheHtmlListsTheFiftyLongestDisconnections) {
  std::vector<std::string> lines;
  for (int minute = 0; minute < 60; ++minute) {
    char line[96];
    std::snprintf(line, sizeof line, "12/7/2026 10:%02d:00 AM WiFi Signal Strength is 70%%",
                  minute);
    lines.push_back(line);
    std::snprintf(line, sizeof line,
                  "12/7/2026 10:%02d:30 AM WiFi Signal Strength is 0%% (no connection)", minute);
    lines.push_back(line);
  }
  WriteLog(lines);
  const std::string html = Report(Format::kHtml);
  EXPECT_THAT(html, Has("The 50 longest are listed; 10 shorter ones are not."));
  EXPECT_THAT(html, ::testing::Not(Has("<script")));
}

// The lists read as a day does, from the top down; the summary says which was
// longest, and the list marks it.
TEST_F(ReportTest, TheHtmlListsDisconnectionsAndGapsInTheOrderTheyHappened) {
  WriteLog({"12/7/2026 10:00:00 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:05 AM WiFi Signal Strength is 0% (no connection)",
            "12/7/2026 10:00:10 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:15 AM WiFi Signal Strength is 0% (no connection)",
            "12/7/2026 10:00:20 AM WiFi Signal Strength is 0% (no connection)",
            "12/7/2026 10:00:25 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:30 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:35 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:02:36 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:02:41 AM WiFi Signal Strength is 70%"});
  const std::string html = Report(Format::kHtml);
  EXPECT_THAT(html, Has(">2</span> disconnections, "));
  EXPECT_THAT(html, Has(">1</span> gap, 2 min 01 s in all."));
  const auto first = html.find("<td>2026-12-07 10:00:05</td>");
  const auto longest = html.find(
      "<tr class=\"longest\"><td>2026-12-07 10:00:15</td><td>2026-12-07 10:00:25</td><td>the "
      "longest, 10 s</td></tr>");
  const auto gap = html.find("<td>2026-12-07 10:00:35</td><td>2026-12-07 10:02:36</td>");
  EXPECT_LT(first, longest);
  EXPECT_LT(longest, gap);
  EXPECT_NE(gap, std::string::npos);

  WriteLog({"12/7/2026 10:00:00 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:05 AM WiFi Signal Strength is 0% (no connection)",
            "12/7/2026 10:00:10 AM WiFi Signal Strength is 70%"});
  EXPECT_THAT(Report(Format::kHtml), Has(">1</span> disconnection, "));
}

TEST_F(ReportTest, WithoutDisconnectionsOrGapsTheSummarySaysSoWithoutALongest) {
  WriteLog({"12/7/2026 10:00:00 AM WiFi Signal Strength is 70%",
            "12/7/2026 10:00:05 AM WiFi Signal Strength is 60%"});
  const std::string html = Report(Format::kHtml);
  EXPECT_THAT(html, Has("data-value=\"0\">No</span> disconnections. Times without samples are "
                        "not disconnections: <span data-figure=\"summary.gaps.count\" "
                        "data-value=\"0\">no</span> gaps.</p>"));
  EXPECT_THAT(html, ::testing::Not(Has("the longest")));
}

// "12/7/2026 1:05:00 PM WiFi Signal Strength is VALUE", `second` of that day.
std::string LineAt(int second, const std::string& value, int day = 7) {
  char time[48];
  std::snprintf(time, sizeof time, "12/%d/2026 %d:%02d:%02d %s", day,
                second / 3600 % 12 == 0 ? 12 : second / 3600 % 12, second / 60 % 60, second % 60,
                second < 43200 ? "AM" : "PM");
  return std::string(time) + " WiFi Signal Strength is " + value;
}

// The Method #1 plot's SVG.
std::string PlotOf(const std::string& html) {
  const std::size_t start = html.find("<svg class=\"plot\"");
  return html.substr(start, html.find("</svg>", start) - start);
}

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// A day at a 5-minute interval has a few pixel columns per sample: the line runs
// through them all, the pauses are logged time, and a half-hour disconnection is
// one red area.
TEST_F(ReportTest, ASparseLogIsOneLineWithOneRedAreaPerDisconnection) {
  std::vector<std::string> lines;
  for (int second = 0; second < 86400; second += 300)
    lines.push_back(LineAt(second, second >= 36000 && second < 37800
                                       ? "0% (no connection)"
                                       : std::to_string(40 + second % 50) + "%"));
  WriteLog(lines);
  const std::string plot = PlotOf(Report(Format::kHtml));
  EXPECT_EQ(CountOf(plot, "class=\"idle\""), 0u);
  EXPECT_EQ(CountOf(plot, "class=\"drop"), 1u);
  const std::size_t path = plot.find("<path class=\"signal\" d=\"");
  ASSERT_NE(path, std::string::npos);
  EXPECT_EQ(CountOf(plot.substr(path), "M"), 1u);
}
// Two minutes at 5 seconds have a tick every 15 seconds: the first one's label,
// which also names the day, would run into the second one's, so that one is left out.
TEST_F(ReportTest, TimeLabelsDoNotRunIntoEachOther) {
  std::vector<std::string> lines;
  for (int second = 6 * 3600; second <= 6 * 3600 + 130; second += 5)
    lines.push_back(LineAt(second, "70%"));
  WriteLog(lines);
  const std::string plot = PlotOf(Report(Format::kHtml));
  EXPECT_THAT(plot, Has(">Mon 7 Dec 06:00:00</text>"));
  EXPECT_THAT(plot, ::testing::Not(Has(">06:00:15</text>")));
  EXPECT_THAT(plot, Has(">06:00:30</text>"));
  EXPECT_THAT(plot, Has(">06:02:00</text>"));
}

// Quorvane writes " 9%"; a log written or edited elsewhere may hold "9%", and its
// weakest samples count as much as the others, in the middle of a block and as the
// file's last line.
TEST_F(ReportTest, ASingleDigitWithoutItsBlankIsRead) {
  WriteLog({LineAt(0, "70%"), LineAt(10, "9%"), LineAt(20, " 9%"), LineAt(30, "0%"),
            LineAt(40, "0% (no connection)"), LineAt(50, "0%")},
           LineAt(60, "5%"));
  EXPECT_THAT(Report(Format::kJson),
              Has("\"method1\": {\"samples\": 7, \"min\": 0, \"median\": 5, \"mean\": 13.3"));
  EXPECT_THAT(Report(Format::kJson),
              Has("\"disconnections\": {\"count\": 1, \"total_seconds\": 10,"));
}
// As a spreadsheet's MEDIAN: the mean of the two middle values of an even count.
TEST_F(ReportTest, TheMedianOfAnEvenCountIsTheMeanOfItsMiddleValues) {
  std::vector<std::string> lines;
  for (int i = 0; i < 12; ++i) lines.push_back(LineAt(i * 10, i % 2 == 0 ? "40%" : "71%"));
  WriteLog(lines);
  EXPECT_THAT(Report(Format::kJson), Has("\"min\": 40, \"median\": 55.5, \"mean\": 55.5"));
  EXPECT_THAT(Report(Format::kHtml), Has("data-figure=\"summary.method1.median\">55.5<"));
}

// The interval changed from 5 seconds to an hour and back is no gap; Quorvane
// stopped for an hour at 5 seconds is one.
TEST_F(ReportTest, AChangedIntervalIsNoGap) {
  std::vector<std::string> lines;
  int second = 0;
  for (int i = 0; i < 20; ++i, second += 5) lines.push_back(LineAt(second, "70%"));
  for (int i = 0; i < 2; ++i, second += 3600) lines.push_back(LineAt(second, "70%"));
  for (int i = 0; i < 20; ++i, second += 5) lines.push_back(LineAt(second, "70%"));
  WriteLog(lines);
  EXPECT_THAT(Report(Format::kJson), Has("\"gaps\": {\"count\": 0,"));
  second += 3600;
  for (int i = 0; i < 20; ++i, second += 5) lines.push_back(LineAt(second, "70%"));
  WriteLog(lines);
  EXPECT_THAT(Report(Format::kJson), Has("\"gaps\": {\"count\": 1, \"total_seconds\": 3605}"));
}
// Lines of `date` at these local times, every `value` given.
std::vector<std::string> IsoLines(const std::string& date, const std::vector<std::string>& times,
                                  const std::string& value = "70%") {
  std::vector<std::string> lines;
  for (const std::string& time : times)
    lines.push_back(date + " " + time + " WiFi Signal Strength is " + value);
  return lines;
}

// A change of offset that is not a whole hour on the hour: Chatham goes back from
// 03:45 to 02:45, Lord Howe from 02:00 to 01:30; the order of the lines settles
// either, and a disconnection across Lord Howe's repeated half hour lasts as long
// as it did.
TEST_F(ReportTest, ARepeatedIntervalOfAnyLengthAnywhere) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#endif
  SetTimeZone("Pacific/Chatham");
  WriteLog(IsoLines("2026-04-05",
                    {"02:30:00", "03:00:00", "03:30:00", "02:45:00", "03:15:00", "03:45:00"}));
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-04-05T02:30:00+13:45", "2026-04-05T03:00:00+13:45",
                                      "2026-04-05T03:30:00+13:45", "2026-04-05T02:45:00+12:45",
                                      "2026-04-05T03:15:00+12:45", "2026-04-05T03:45:00+12:45"}));

  SetTimeZone("Australia/Lord_Howe");
  // Lost at the first 01:50, back at the second 01:50: 30 minutes later.
  std::vector<std::string> lines = IsoLines("2026-04-05", {"01:20:00", "01:35:00"});
  for (const std::string& line :
       IsoLines("2026-04-05", {"01:50:00", "01:35:00"}, "0% (no connection)"))
    lines.push_back(line);
  lines.push_back(IsoLines("2026-04-05", {"01:50:00"})[0]);
  WriteLog(lines);
  const std::string json = Report(Format::kJson);
  EXPECT_THAT(json, Has("\"gaps\": {\"count\": 0"));
  EXPECT_THAT(json, Has("\"disconnections\": {\"count\": 1, \"total_seconds\": 1800,"));

  // In spring, 02:00 to 02:30 does not exist: no offset is made up for it.
  WriteLog(IsoLines("2026-10-04", {"01:50:00", "02:10:00", "02:40:00"}));
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-10-04T01:50:00+10:30", "2026-10-04T02:10:00",
                                      "2026-10-04T02:40:00+11:00"}));
}

// An hourly log across New York's autumn change: the second "01:30:00" is the
// second 01:30.
TEST_F(ReportTest, AnExactlyRepeatedTimeIsTheLaterOne) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#endif
  SetTimeZone("America/New_York");
  WriteLog(IsoLines("2026-11-01", {"00:30:00", "01:30:00", "01:30:00", "02:30:00"}));
  EXPECT_EQ(CsvTimes(),
            (std::vector<std::string>{"2026-11-01T00:30:00-04:00", "2026-11-01T01:30:00-04:00",
                                      "2026-11-01T01:30:00-05:00", "2026-11-01T02:30:00-05:00"}));
}

// A drop across New York's autumn change: the table's times in the repeated hour
// say which 01:mm they are.
TEST_F(ReportTest, TableTimesInARepeatedHourShowTheirOffset) {
#ifdef _WIN32
  GTEST_SKIP() << "the C runtime of Windows knows no zone rules from TZ";
#endif
  SetTimeZone("America/New_York");
  std::vector<std::string> lines = IsoLines("2026-11-01", {"00:50:00", "01:10:00"});
  for (const std::string& line :
       IsoLines("2026-11-01", {"01:30:00", "01:50:00", "01:10:00"}, "0% (no connection)"))
    lines.push_back(line);
  lines.push_back(IsoLines("2026-11-01", {"01:20:00"})[0]);
  WriteLog(lines);
  EXPECT_THAT(Report(Format::kHtml),
              Has("<td>2026-11-01 01:30:00 UTC-04:00</td><td>2026-11-01 01:20:00 UTC-05:00</td>"));
}
// An American log reported under a day-first locale: no date has a number above
// 12, so the order of the lines settles it; where neither reading runs forward,
// the Period section says so.
TEST_F(ReportTest, TheLinesRunningForwardSettleTheOrderOfDayAndMonth) {
  class BritishClock : public testing::FakeClock {
   public:
    std::string ShortDate(const LocalDateTime& when) const override {
      char text[16];
      std::snprintf(text, sizeof text, "%02d/%02d/%d", when.day, when.month, when.year);
      return text;
    }
  } british;
  auto report = [&](Format format) {
    std::ostringstream out;
    WriteReport(log_, format, british, out);
    return out.str();
  };
  WriteLog({LineAt(86100, "70%"), LineAt(86400 - 60, "70%"), LineAt(0, "70%", 8),
            LineAt(300, "70%", 8)});
  EXPECT_THAT(report(Format::kJson), Has("\"first\": \"2026-12-07T23:55:00+00:00\", \"last\": "
                                         "\"2026-12-08T00:05:00+00:00\""));
  std::istringstream csv(report(Format::kCsv));
  std::string row;
  std::getline(csv, row);
  std::getline(csv, row);
  EXPECT_EQ(row.substr(0, 25), "2026-12-07T23:55:00+00:00");
  EXPECT_THAT(report(Format::kHtml), ::testing::Not(Has("not settled")));

  WriteLog({"2026-12-10 10:00:00 WiFi Signal Strength is 70%", LineAt(36000, "70%", 8)});
  EXPECT_THAT(report(Format::kHtml), Has("<td>Day and month</td><td>not settled"));
}
// A dead battery dates a few samples 2000-01-01: named in the Period section, their
// values counted, their times kept off the axis, the gaps and the days.
TEST_F(ReportTest, AClockSetBackYearsIsKeptOffTheTimeAxis) {
  WriteLog({LineAt(36000, "70%"), LineAt(36010, "70%"),
            "1/1/2000 12:00:05 AM WiFi Signal Strength is 10%",
            "1/1/2000 12:00:15 AM WiFi Signal Strength is 10%", LineAt(36030, "70%"),
            LineAt(36040, "70%")});
  const std::string json = Report(Format::kJson);
  EXPECT_THAT(json, Has("\"samples\": 6,\n    \"first\": \"2026-12-07T10:00:00+00:00\""));
  EXPECT_THAT(json, Has("\"min\": 10, \"median\": 70"));
  EXPECT_THAT(json, Has("\"gaps\": {\"count\": 0,"));
  EXPECT_THAT(json, ::testing::Not(Has("\"date\": \"2000-01-01\"")));
  const std::string html = Report(Format::kHtml);
  EXPECT_THAT(html, Has("<td>Clock set back</td><td>2 samples dated 2000-01-01 00:00:05 to "
                        "2000-01-01 00:00:15,"));
  EXPECT_THAT(html, ::testing::Not(Has("not settled")));
}
}  // namespace
}  // namespace quorvane::report
