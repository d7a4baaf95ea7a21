// The journal's outages in the report, beside the log's own figures.
#include <gtest/gtest.h>

#include <sstream>

#include "journal/Journal.h"
#include "report/Figures.h"
#include "report/OutageStory.h"
#include "report/Report.h"
#include "report/TimeZone.h"
#include "report/Writers.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/TempDir.h"

namespace quorvane::testing {
namespace {

class ReportOutages : public ::testing::Test {
 protected:
  void SetUp() override { InUtc(); }
  void TearDown() override {
    report::UseJournalFolder({});
    InUtc();
  }
  static void InUtc() { InZone("UTC"); }
  static void InZone(const char* tz) {
#ifdef _WIN32
    _putenv_s("TZ", tz);
    _tzset();
#else
    setenv("TZ", tz, 1);
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
                      "\"2026-12-07T10:00:30+00:00\", \"samples\": 2, \"spacing_seconds\": 10, "
                      "\"seconds\": 20, \"cause\": \"internet\"}"),
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
  EXPECT_NE(html.find("<td>WiFi</td>"), std::string::npos);
  EXPECT_EQ(html.find("<td>Router</td>"), std::string::npos);  // no rows of zeros
  EXPECT_EQ(html.find("<td>Internet</td>"), std::string::npos);

  report::UseJournalFolder(log.path() / "no journal here");
  EXPECT_EQ(Report(report::Format::kJson).find("outages"), std::string::npos);
}

TEST_F(ReportOutages, ACauseWithoutOutagesSaysNone) {
  Samples({Cause::kOk, Cause::kWifi, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  EXPECT_NE(html.find("<td>Router</td><td data-figure=\"summary.outages.router.count\" "
                      "data-value=\"0\">none</td><td></td><td></td></tr>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("the WiFi and the router were fine: none.</p>"), std::string::npos);
}

// The outages as the day went, before the totals: every one in the JSON, the most
// recent in the HTML, in time order, each cause in words.
TEST_F(ReportOutages, WhatHappenedListsTheMostRecentInTimeOrder) {
  journal::JournalOutages journal;
  for (int i = 0; i < 60; ++i)
    journal.Add({1796637600 + i * 100, 1796637600 + i * 100 + 30,
                 journal::kOutageCauses[static_cast<std::size_t>(i % 3)]});
  const std::vector<journal::Outage> listed = report::MostRecentOutages(journal, 50);
  ASSERT_EQ(listed.size(), 50u);
  EXPECT_EQ(listed.front().start, 1796637600 + 10 * 100);
  EXPECT_EQ(listed.back().start, 1796637600 + 59 * 100);
  EXPECT_EQ(report::CauseInWords(Cause::kWifi), "the WiFi connection");
  EXPECT_EQ(report::CauseInWords(Cause::kRouter), "your router");
  EXPECT_EQ(report::CauseInWords(Cause::kInternet), "the internet, beyond your router");

  Samples({Cause::kOk, Cause::kRouter, Cause::kOk, Cause::kWifi, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  const std::size_t story = html.find("<h2>What happened</h2>");
  ASSERT_NE(story, std::string::npos);
  EXPECT_LT(story, html.find("<h2>Outages by cause</h2>"));
  EXPECT_LT(html.find("your router", story), html.find("the WiFi connection", story));
}

// For the provider: in the order it happened, the zone named once, and what the
// probes found.
TEST_F(ReportOutages, ForTheProviderInTimeOrderWithTheZoneNamedOnce) {
  Samples({Cause::kOk, Cause::kInternet, Cause::kOk, Cause::kInternet, Cause::kInternet,
           Cause::kInternet, Cause::kOk, Cause::kInternet, Cause::kInternet, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  const std::size_t provider = html.find("<h3>For your provider</h3>");
  const std::size_t first = html.find("<tr><td>2026-12-07 10:00:10</td>", provider);
  const std::size_t longest = html.find("<tr><td>2026-12-07 10:00:30</td>", provider);
  ASSERT_NE(first, std::string::npos) << html;
  EXPECT_LT(first, longest);
  EXPECT_LT(longest, html.find("<tr><td>2026-12-07 10:01:10</td>", provider));
  EXPECT_NE(html.find("(times in UTC). In each, your router answered and none of the internet "
                      "targets did (the internet probe's result: down)."),
            std::string::npos);

  // Read in the zone the report names, whatever offset the journal was written with.
  struct Berlin : report::TimeZone {
    std::int32_t OffsetAt(std::int64_t) const override { return 3600; }
    std::string Name() const override { return "Europe/Berlin"; }
  };
  auto figures = std::make_unique<report::Figures>();
  figures->journal.emplace();
  figures->journal->probed_records = 1;
  figures->journal->Add({1796637610, 1796637620, Cause::kInternet});
  std::ostringstream section;
  report::WriteOutagesHtml(*figures, Berlin(), section);
  EXPECT_NE(section.str().find("(times in Europe/Berlin, UTC+01:00)"), std::string::npos);
  EXPECT_NE(section.str().find("<tr><td>2026-12-07 11:00:10</td>"), std::string::npos);

  EXPECT_EQ(report::ZoneText("Europe/Berlin", {3600}), "Europe/Berlin, UTC+01:00");
  EXPECT_EQ(report::ZoneText("", {-34200}), "UTC-09:30");
  EXPECT_EQ(report::ZoneText("Europe/Berlin", {7200, 3600}), "Europe/Berlin");
  InZone(":Europe/Berlin");
  EXPECT_EQ(report::SystemTimeZone().Name(), "Europe/Berlin");
  InZone("CET-1CEST,M3.5.0,M10.5.0/3");  // a rule, no zone's name
  EXPECT_EQ(report::SystemTimeZone().Name(), "");
}

// An outage of one sample before the end (or a gap) has no length of its own: it
// tells its sample and the spacing around it, never "0 s".
TEST_F(ReportOutages, AnOutageOfOneSampleTellsItsSpacingNotZero) {
  Samples({Cause::kOk, Cause::kOk, Cause::kInternet});
  report::UseJournalFolder(folder.path());
  EXPECT_NE(Report(report::Format::kJson)
                .find("\"samples\": 1, \"spacing_seconds\": 10, \"seconds\": 0, \"cause\": "
                      "\"internet\"}"),
            std::string::npos);
  journal::Outage single{1796637620, 1796637620, Cause::kInternet};
  single.spacing = 5;
  EXPECT_EQ(report::OutageDuration(single), "1 sample, about 5 s");
  single.spacing = 0;  // a sample alone between two gaps
  EXPECT_EQ(report::OutageDuration(single), "1 sample");
  const std::string html = Report(report::Format::kHtml);  // in both lists, neither as 0 s
  const std::size_t listed = html.find(">1 sample, about 10 s</td>");
  EXPECT_NE(html.find(">1 sample, about 10 s</td>", listed + 1), std::string::npos) << html;
}

// The round-trip axis spans the times drawn, on steps of 1, 2 and 5.
TEST_F(ReportOutages, TheRoundTripAxisFitsTheTimes) {
  const report::RttAxis near = report::FitRttAxis(12, 38);
  EXPECT_EQ(near.bottom_ms, 10);
  EXPECT_EQ(near.top_ms, 50);
  EXPECT_EQ(near.ticks_ms, (std::vector<double>{10, 20, 50}));
  EXPECT_EQ(report::FitRttAxis(20, 20).ticks_ms, (std::vector<double>{10, 20, 50}));
  const report::RttAxis wide = report::FitRttAxis(0.3, 2500);  // powers of ten alone
  EXPECT_NEAR(wide.bottom_ms, 0.1, 1e-12);
  EXPECT_EQ(wide.top_ms, 10000);
  EXPECT_EQ(wide.ticks_ms.size(), 6u);
}

// The router's and the internet's outages are laid on the plot's columns, each in
// its own shade, from its first sample to the one that ended it.
TEST_F(ReportOutages, RouterAndInternetOutagesMarkThePlotsColumns) {
  auto figures = std::make_unique<report::Figures>();
  constexpr std::int64_t kStart = 1796637600;
  for (int second = 0; second <= 90; second += 10)
    figures->plot.Add(kStart + second, Method::kWirelessTool, 70, true);
  figures->journal.emplace();
  figures->journal->Add({kStart + 20, kStart + 40, Cause::kRouter});
  figures->journal->Add({kStart + 60, kStart + 60, Cause::kInternet});
  figures->journal->Add({kStart + 70, kStart + 80, Cause::kWifi});  // the log's red already
  report::MarkOutageColumns(*figures);
  ASSERT_EQ(figures->plot.column_seconds(), 1);
  const auto& columns = figures->outage_columns;
  EXPECT_EQ(columns[19], 0);
  EXPECT_EQ(columns[20], report::Figures::kRouterOutage);
  EXPECT_EQ(columns[39], report::Figures::kRouterOutage);
  EXPECT_EQ(columns[40], 0);
  EXPECT_EQ(columns[60], report::Figures::kInternetOutage);
  EXPECT_EQ(columns[75], 0);

  Samples({Cause::kOk, Cause::kRouter, Cause::kOk, Cause::kInternet, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  EXPECT_NE(html.find("<i class=\"outage-router\"></i>"), std::string::npos);  // in the key
  EXPECT_NE(html.find("<i class=\"outage-internet\"></i>"), std::string::npos);
}

// Journal rows that cannot be read are counted beside the log's unreadable lines.
TEST_F(ReportOutages, UnreadableJournalRowsAreCounted) {
  Samples({Cause::kOk, Cause::kInternet, Cause::kOk});
  const std::filesystem::path month = folder.path() / "2026-12.csv";
  WriteFile(month, ReadFile(month) + "2026-12-07T10:00:30+00:00,1,70%,yes\n" +
                       "2026-12-07T10:00:40+00:00,1,70%,yes,,,,,ok,,,,,,,");
  report::UseJournalFolder(folder.path());
  const std::string json = Report(report::Format::kJson);
  EXPECT_NE(json.find("\"unreadable_journal_rows\": 2,"), std::string::npos) << json;
}

// The round-trip plot is drawn narrower than the signal plot and scaled to the same
// width on the page: its text is set smaller by as much, so both read alike.
TEST_F(ReportOutages, TheRoundTripPlotsTextIsAsLargeAsTheSignalPlots) {
  Samples({Cause::kOk, Cause::kInternet, Cause::kOk});
  report::UseJournalFolder(folder.path());
  const std::string html = Report(report::Format::kHtml);
  const auto number_after = [&](const std::string& text) {
    const std::size_t at = html.find(text);
    EXPECT_NE(at, std::string::npos) << text;
    return at == std::string::npos ? 0.0 : std::stod(html.substr(at + text.size()));
  };
  const double signal_width = number_after("<svg class=\"plot\" viewBox=\"0 0 ");
  const double rtt_width = number_after(
      "<svg class=\"rtt\" xmlns=\"http://www.w3.org/2000/svg\" "
      "viewBox=\"0 0 ");
  const double on_page = number_after("svg.rtt text { font-size: ") * signal_width / rtt_width;
  EXPECT_NEAR(on_page, number_after("svg text { font-size: "), 0.2);
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
                      "\"2026-11-01T00:01:00+00:00\", \"samples\": 12, \"spacing_seconds\": 10, "
                      "\"seconds\": 120, \"cause\": \"internet\"}"),
            std::string::npos);
  EXPECT_NE(json.find("{\"start\": \"2026-11-30T23:59:00+00:00\", \"end\": "
                      "\"2026-11-30T23:59:50+00:00\", \"samples\": 6, \"spacing_seconds\": 10, "
                      "\"seconds\": 50, \"cause\": \"router\"}"),
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
  // No byte order mark down a pipe, where it would be read as text.
  EXPECT_EQ(plain.substr(0, plain.find('\r')), "time,method,value,connected,text");

  report::UseJournalFolder(folder.path());
  std::istringstream csv(Report(report::Format::kCsv));
  std::vector<std::string> rows;
  for (std::string row; std::getline(csv, row);) rows.push_back(row.substr(0, row.size() - 1));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(
      rows[0],
      "time,method,value,connected,text,router,router_rtt_ms,internet,"
      "internet_rtt_ms,cause,ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps,link");
  const auto journal_fields = [](const std::string& row) { return row.substr(row.rfind('"') + 1); };
  EXPECT_EQ(journal_fields(rows[1]), ",down,,down,,ok,,,,,,,,");
  EXPECT_EQ(journal_fields(rows[2]), ",down,,down,,internet,,,,,,,,");
  EXPECT_EQ(journal_fields(rows[3]), ",,,,,wifi,,,,,,,,");
  EXPECT_EQ(rows[4],
            "2026-12-07T10:20:00+00:00,1,70,yes,\"12/07/26 10:20:00 WiFi Signal Strength is "
            "70%\",up,1.500,up,23.063,ok,,,,,,,,");  // three decimals, as the journal keeps them
  EXPECT_EQ(journal_fields(rows[5]), ",,,,,,,,,,,,,");
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
    ASSERT_TRUE(row.ends_with(i < 3600 ? ",ok,,,,,,,,\r" : ",internet,,,,,,,,\r"))
        << "row " << i << ": " << row;
#endif
}

// The wireless link from the journal: a roam, a channel change and a change to a
// network whose name is not UTF-8 and holds markup, over one sample every 10 s.
class ReportLinks : public ReportOutages {
 protected:
  struct Link {
    const char* ssid;
    const char* bssid;
    int frequency_mhz;
    int channel;
    int dbm;
  };
  void SetUp() override {
    ReportOutages::SetUp();
    Samples(std::vector<Cause>(7, Cause::kNone));
    Journal({
        {"Home", "aa:aa:aa:aa:aa:01", 5180, 36, -50},
        {"Home", "aa:aa:aa:aa:aa:01", 5180, 36, -52},
        {"Home", "aa:aa:aa:aa:aa:02", 5180, 36, -60},
        {"Home", "aa:aa:aa:aa:aa:02", 5200, 40, -62},
        {"Home", "aa:aa:aa:aa:aa:02", 5200, 40, -64},
        {"<b>&\xFF", "cc:cc:cc:cc:cc:01", 2412, 1, -70},
    });
    report::UseJournalFolder(folder.path());
  }
  // The journal of the samples 10 s apart, written in their order or the other way.
  void Journal(const std::vector<Link>& links, bool backwards = false) {
    std::filesystem::remove_all(folder.path());
    journal::Journal journal(folder.path());
    for (std::size_t k = 0; k < links.size(); ++k) {
      const std::size_t i = backwards ? links.size() - 1 - k : k;
      journal::JournalRecord record;
      record.utc = 1796637600 + static_cast<std::int64_t>(i) * 10;
      record.value = "70%";
      record.link.status = LinkContext::Status::kKnown;
      record.link.ssid = links[i].ssid;
      record.link.bssid = links[i].bssid;
      record.link.frequency_mhz = links[i].frequency_mhz;
      record.link.channel = links[i].channel;
      record.link.signal_dbm = links[i].dbm;
      if (i == 0) record.link.bitrate_mbps = 866.7;
      journal.Append(record);
    }
  }
  std::vector<std::string> CsvRows() {
    std::istringstream csv(Report(report::Format::kCsv));
    std::vector<std::string> rows;
    for (std::string row; std::getline(csv, row);) rows.push_back(row.substr(0, row.size() - 1));
    return rows;
  }
};

TEST_F(ReportLinks, TheHtmlMarksTheChangesAndTablesTheAccessPoints) {
  const std::string html = Report(report::Format::kHtml);
  EXPECT_NE(html.find("<span data-figure=\"summary.link_changes.roam\">1</span> roam, "
                      "<span data-figure=\"summary.link_changes.network\">1</span> network change"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<g class=\"mark roam\"><title>Roam 2026-12-07 10:00:20: "
                      "aa:aa:aa:aa:aa:01 \u2192 aa:aa:aa:aa:aa:02</title>"),
            std::string::npos);
  EXPECT_NE(html.find("<title>Channel change 2026-12-07 10:00:30: 36 \u2192 40</title>"),
            std::string::npos);
  EXPECT_NE(html.find("Network change 2026-12-07 10:00:50: Home \u2192 &lt;b&gt;&amp;\\xff"),
            std::string::npos);
  EXPECT_EQ(html.find("<svg class=\"mark band\""), std::string::npos);  // none: not in the key
  EXPECT_NE(html.find("<tr><td>aa:aa:aa:aa:aa:01</td><td>Home</td><td>5 GHz</td><td>36</td>"
                      "<td>2</td><td>-51.0</td><td>33.3 %</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<td>&lt;b&gt;&amp;\\xff</td><td>2.4 GHz</td><td>1</td>"), std::string::npos);
}

TEST_F(ReportLinks, TheJsonListsTheAccessPointsAndTheChanges) {
  const std::string json = Report(report::Format::kJson);
  EXPECT_NE(json.find("\"link_changes\": {\"roam\": 1, \"network\": 1, \"band\": 0, "
                      "\"channel\": 1}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"bssid\": \"aa:aa:aa:aa:aa:02\", \"ssid\": \"Home\", \"band\": \"5\", "
                      "\"channel\": 36, \"samples\": 1, \"mean_signal_dbm\": -60.0, \"share\": "
                      "16.7}"),
            std::string::npos);
  EXPECT_NE(json.find("{\"time\": \"2026-12-07T10:00:20+00:00\", \"kind\": \"roam\", \"from\": "
                      "\"aa:aa:aa:aa:aa:01\", \"to\": \"aa:aa:aa:aa:aa:02\"}"),
            std::string::npos);
  EXPECT_NE(json.find("\"kind\": \"network\", \"from\": \"Home\", \"to\": \"<b>&\\\\xff\"}"),
            std::string::npos);
}

TEST_F(ReportLinks, TheCsvExportCarriesTheContextOfEachSecond) {
  const std::vector<std::string> rows = CsvRows();
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_TRUE(rows[1].ends_with(",Home,aa:aa:aa:aa:aa:01,5180,5,36,-50,866.7,")) << rows[1];
  EXPECT_TRUE(rows[4].ends_with(",Home,aa:aa:aa:aa:aa:02,5200,5,40,-62,,")) << rows[4];
  EXPECT_TRUE(rows[6].ends_with(",<b>&\\xff,cc:cc:cc:cc:cc:01,2412,2.4,1,-70,,")) << rows[6];
  EXPECT_TRUE(rows[7].ends_with(",,,,,,,,,,,,,")) << rows[7];  // no record of that second
}

// A record whose context the system refused says so in the last column, apart from
// a second without a record.
TEST_F(ReportLinks, TheCsvExportTellsARefusedContextFromNone) {
  const std::string no_record = CsvRows()[7];
  journal::JournalRecord refused;
  refused.utc = 1796637600 + 60;
  refused.value = "70%";
  refused.link.status = LinkContext::Status::kUnavailableLocation;
  journal::Journal(folder.path()).Append(refused);
  EXPECT_TRUE(no_record.ends_with(",,,,,,,,,,,,,")) << no_record;
  const std::string row = CsvRows()[7];
  EXPECT_TRUE(row.ends_with(",,,,,,,,,,,,unavailable (location)")) << row;
}

// A refusal that is not the location's keeps its own text, the longest the column takes.
TEST_F(ReportLinks, TheCsvExportTellsAnAccessDeniedContext) {
  journal::JournalRecord refused;
  refused.utc = 1796637600 + 60;
  refused.value = "70%";
  refused.link.status = LinkContext::Status::kUnavailableAccessDenied;
  journal::Journal(folder.path()).Append(refused);
  const std::string row = CsvRows()[7];
  EXPECT_TRUE(row.ends_with(",,,,,,,,,,,,unavailable (access denied)")) << row;
}

// A network's name holding a control of the writing direction cannot turn the
// report's text around: the control is shown, the journal keeps the name.
TEST_F(ReportLinks, ANamesDirectionControlIsShownNotObeyed) {
  Journal({{"Home", "aa:aa:aa:aa:aa:01", 5180, 36, -50},
           {"Evil\xE2\x80\xAEgpj", "cc:cc:cc:cc:cc:01", 2412, 1, -70}});
  const std::string html = Report(report::Format::kHtml);
  EXPECT_EQ(html.find("\xE2\x80\xAE"), std::string::npos);
  EXPECT_NE(html.find("<td>Evil\\u202Egpj</td>"), std::string::npos);
  EXPECT_NE(html.find("Home \u2192 Evil\\u202Egpj</title>"), std::string::npos);
  EXPECT_NE(CsvRows()[2].find(",Evil\xE2\x80\xAEgpj,"), std::string::npos);
}

// A network's name that a spreadsheet would take for a formula stays text.
TEST_F(ReportLinks, TheCsvExportKeepsAFormulaLikeSsidText) {
  Journal({{"=HYPERLINK(\"http://x\")", "aa:aa:aa:aa:aa:01", 5180, 36, -50}});
  EXPECT_TRUE(CsvRows()[1].ends_with(
      ",\"'=HYPERLINK(\"\"http://x\"\")\",aa:aa:aa:aa:aa:01,5180,5,36,-50,866.7,"))
      << CsvRows()[1];
}

// A journal changed by hand may hold a field longer than any the system gives:
// its row still has room for it.
TEST_F(ReportLinks, TheCsvExportWritesAnOverlongFieldWhole) {
  const std::string bssid(5000, 'b');
  Journal({{"Home", bssid.c_str(), 5180, 36, -50}});
  EXPECT_TRUE(CsvRows()[1].ends_with(",Home," + bssid + ",5180,5,36,-50,866.7,"));
}

// Records out of time order (a clock put back) are sorted with their context.
TEST_F(ReportLinks, TheCsvExportKeepsEachRecordsContextWhenTheJournalIsOutOfOrder) {
  const std::vector<std::string> in_order = CsvRows();
  Journal({{"Home", "aa:aa:aa:aa:aa:01", 5180, 36, -50},
           {"Home", "aa:aa:aa:aa:aa:01", 5180, 36, -52},
           {"Home", "aa:aa:aa:aa:aa:02", 5180, 36, -60},
           {"Home", "aa:aa:aa:aa:aa:02", 5200, 40, -62},
           {"Home", "aa:aa:aa:aa:aa:02", 5200, 40, -64},
           {"<b>&\xFF", "cc:cc:cc:cc:cc:01", 2412, 1, -70}},
          true);
  EXPECT_EQ(CsvRows(), in_order);
}

// A roam every sample for half an hour: the marks share their places and leave
// out their lines, and each still names its roams.
TEST_F(ReportLinks, ManyChangesShareMarksWithoutLines) {
  Samples(std::vector<Cause>(180, Cause::kNone));
  std::vector<Link> links;
  for (int i = 0; i < 180; ++i)
    links.push_back({"Home", i % 2 ? "aa:aa:aa:aa:aa:02" : "aa:aa:aa:aa:aa:01", 5180, 36, -50});
  Journal(links);
  const std::string html = Report(report::Format::kHtml);
  std::size_t marks = 0;
  for (std::size_t at = html.find("<g class=\"mark roam\">"); at != std::string::npos;
       at = html.find("<g class=\"mark roam\">", at + 1))
    ++marks;
  EXPECT_GT(marks, 40u);
  EXPECT_LT(marks, 100u);  // 179 roams
  EXPECT_EQ(html.find("</title><line"), std::string::npos);
  EXPECT_NE(html.find("&#10;Roam 2026-12-07 10:0"), std::string::npos);  // two in one mark
  EXPECT_NE(html.find("<span data-figure=\"summary.link_changes.roam\">179</span>"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvane::testing
