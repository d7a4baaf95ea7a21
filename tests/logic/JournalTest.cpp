// The journal: the cause of a sample, outages, the record format and the month
// files.
#include <gtest/gtest.h>

#include <cmath>

#include "journal/Journal.h"
#include "journal/Outages.h"
#include "journal/RttGrid.h"
#include "platform/Files.h"
#include "tests/fakes/TempDir.h"

namespace quorvane::journal {
namespace {

using testing::TempDir;

constexpr ProbeResult kUp{ProbeState::kUp, 1.5};
constexpr ProbeResult kDown{ProbeState::kDown, 0};
constexpr ProbeResult kUnavailable{ProbeState::kUnavailable, 0};
constexpr ProbeResult kSkipped{ProbeState::kSkipped, 0};
constexpr ProbeResult kNotProbed{};

TEST(Cause, DecidedByTheWifiThenTheInternetThenTheRouter) {
  EXPECT_EQ(CauseOf(false, true, kUp, kUp), Cause::kWifi);
  EXPECT_EQ(CauseOf(false, false, kNotProbed, kNotProbed), Cause::kWifi);
  EXPECT_EQ(CauseOf(true, false, kNotProbed, kNotProbed), Cause::kNone);
  EXPECT_EQ(CauseOf(true, true, kUp, kUp), Cause::kOk);
  EXPECT_EQ(CauseOf(true, true, kUp, kDown), Cause::kInternet);
  EXPECT_EQ(CauseOf(true, true, kDown, kDown), Cause::kRouter);
  // Many routers ignore ping: the internet answering is enough.
  EXPECT_EQ(CauseOf(true, true, kDown, kUp), Cause::kOk);
  EXPECT_EQ(CauseOf(true, true, kUnavailable, kUp), Cause::kOk);
}

TEST(Cause, UnknownWhenTheProbesCouldNotTell) {
  EXPECT_EQ(CauseOf(true, true, kUnavailable, kDown), Cause::kUnknown);
  EXPECT_EQ(CauseOf(true, true, kSkipped, kSkipped), Cause::kUnknown);
  EXPECT_EQ(CauseOf(true, true, kUp, kUnavailable), Cause::kUnknown);
  // No internet targets: the router alone decides.
  EXPECT_EQ(CauseOf(true, true, kUp, kNotProbed), Cause::kOk);
  EXPECT_EQ(CauseOf(true, true, kDown, kNotProbed), Cause::kRouter);
  EXPECT_EQ(CauseOf(true, true, kUnavailable, kNotProbed), Cause::kUnknown);
}

std::vector<Outage> Outages(const std::vector<std::pair<std::int64_t, Cause>>& samples,
                            std::int64_t longest_pause = 60) {
  OutageFinder finder(longest_pause);
  std::vector<Outage> found;
  for (const auto& [utc, cause] : samples)
    for (const auto& outage : finder.Add(utc, cause)) found.push_back(outage);
  for (const auto& outage : finder.Finish()) found.push_back(outage);
  return found;
}

void ExpectOutage(const Outage& outage, std::int64_t start, std::int64_t end, Cause cause) {
  EXPECT_EQ(outage.start, start);
  EXPECT_EQ(outage.end, end);
  EXPECT_EQ(outage.cause, cause);
}

TEST(Outages, ARunOfOneCauseEndingAtTheFirstSampleOfAnother) {
  const auto found = Outages({{0, Cause::kOk},
                              {5, Cause::kInternet},
                              {10, Cause::kInternet},
                              {15, Cause::kRouter},
                              {20, Cause::kUnknown},
                              {25, Cause::kWifi}});
  ASSERT_EQ(found.size(), 3u);
  ExpectOutage(found[0], 5, 15, Cause::kInternet);
  ExpectOutage(found[1], 15, 20, Cause::kRouter);
  ExpectOutage(found[2], 25, 25, Cause::kWifi);  // still under way at the end
}

TEST(Outages, AGapIsNeverPartOfOne) {
  const auto found =
      Outages({{0, Cause::kWifi}, {5, Cause::kWifi}, {3600, Cause::kWifi}, {3605, Cause::kOk}});
  ASSERT_EQ(found.size(), 2u);
  ExpectOutage(found[0], 0, 5, Cause::kWifi);
  ExpectOutage(found[1], 3600, 3605, Cause::kWifi);
  EXPECT_TRUE(Outages({{0, Cause::kNone}, {5, Cause::kOk}, {10, Cause::kUnknown}}).empty());
}

// After the interval was made longer its first pause is a gap, the next ones are not:
// an outage over them stays one.
TEST(Outages, ALongerIntervalIsNoGapAfterItsFirstPause) {
  const auto found = Outages({{0, Cause::kOk},
                              {5, Cause::kOk},
                              {305, Cause::kInternet},
                              {605, Cause::kInternet},
                              {905, Cause::kInternet},
                              {1205, Cause::kOk}});
  ASSERT_EQ(found.size(), 1u);
  ExpectOutage(found[0], 305, 1205, Cause::kInternet);
}

TEST(JournalRecord, TimeWithItsOffsetBothWays) {
  // 2026-12-07 14:03:11 UTC.
  EXPECT_EQ(IsoTimeText(1796652191, 3600), "2026-12-07T15:03:11+01:00");
  EXPECT_EQ(IsoTimeText(1796652191, -(9 * 3600 + 30 * 60)), "2026-12-07T04:33:11-09:30");
  const auto parsed = ParseIsoTime("2026-12-07T04:33:11-09:30");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->first, 1796652191);
  EXPECT_EQ(parsed->second, -(9 * 3600 + 30 * 60));
  EXPECT_EQ(ParseIsoTime("2026-12-07T14:03:11Z")->first, 1796652191);
  for (const char* bad : {"2026-12-07 13:03:11Z", "2026-13-07T13:03:11Z", "2026-12-07T13:03:11",
                          "2026-12-07T13:03:11+1:00", "2026-12-07T13:03:11+99:00"})
    EXPECT_FALSE(ParseIsoTime(bad)) << bad;
  // Two clock readings a second apart still give a whole-minute offset.
  EXPECT_EQ(OffsetOf(1000 + 3600, 1001), 3600);
  EXPECT_EQ(OffsetOf(1796652191, 0), 0);  // no time zone is that far off
}

TEST(JournalRecord, WrittenAndReadBackByColumnName) {
  JournalRecord record;
  record.utc = 1796652191;
  record.offset = 3600;
  record.method = Method::kWirelessTool;
  record.value = " 5%";
  record.router = {ProbeState::kUp, 0.4125};
  record.internet = {ProbeState::kDown, 0};
  record.cause = Cause::kInternet;
  EXPECT_EQ(HeaderRow(),
            "time,method,value,connected,router,router_rtt_ms,internet,internet_rtt_ms,cause,"
            "ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps,link");
  EXPECT_EQ(FormatRecord(record),
            "2026-12-07T15:03:11+01:00,1,\" 5%\",yes,up,0.413,down,,internet,,,,,,,,");

  // Columns in another order, one unknown to this build and one missing.
  const std::string text =
      "cause,note,time,value,connected,method,router,router_rtt_ms,internet\r\n"
      "wifi,\"Home, 2nd\",2026-12-07T15:03:11+01:00,0% (no connection),no,2,,,\r\n";
  std::vector<JournalRecord> read;
  const auto outcome = ReadJournalText(text, [&](const JournalRecord& r) { read.push_back(r); });
  EXPECT_EQ(outcome.damaged_lines, 0u);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].utc, 1796652191);
  EXPECT_EQ(read[0].method, Method::kSignalStrength);
  EXPECT_EQ(read[0].value, "0% (no connection)");
  EXPECT_FALSE(read[0].connected);
  EXPECT_EQ(read[0].router.state, ProbeState::kNone);
  EXPECT_EQ(read[0].cause, Cause::kWifi);
  EXPECT_EQ(read[0].link.status, LinkContext::Status::kNone);
}

TEST(JournalRecord, LinkContextWrittenAndReadBack) {
  JournalRecord record;
  record.utc = 1796652191;
  record.link.status = LinkContext::Status::kKnown;
  record.link.ssid = std::string("Caf\xe9, \"2\"\\\x01", 11);  // Latin-1, not UTF-8
  record.link.bssid = "aa:bb:cc:dd:ee:0f";
  record.link.frequency_mhz = 5180;
  record.link.channel = 36;
  record.link.signal_dbm = -61;
  record.link.bitrate_mbps = 866.66;
  const std::string row = FormatRecord(record);
  EXPECT_EQ(row.substr(row.find(",yes,,,,,,") + 10),
            "\"Caf\\xe9, \"\"2\"\"\\\\\\x01\",aa:bb:cc:dd:ee:0f,5180,5,36,-61,866.7,");

  JournalRecord refused;
  refused.link.status = LinkContext::Status::kUnavailableLocation;
  const std::string text = HeaderRow() + "\n" + row + "\n" + FormatRecord(refused) + "\n" +
                           // a hand-edited number is left out, the row stays
                           "2026-12-07T15:03:11+01:00,1,70%,yes,,,,,ok,Home,,58x0,,,-70,,\n";
  std::vector<JournalRecord> read;
  ReadJournalText(text, [&](const JournalRecord& r) { read.push_back(r); });
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].link.status, LinkContext::Status::kKnown);
  EXPECT_EQ(read[0].link.ssid, record.link.ssid);
  EXPECT_EQ(read[0].link.bssid, record.link.bssid);
  EXPECT_EQ(read[0].link.frequency_mhz, 5180);
  EXPECT_EQ(read[0].link.channel, 36);
  EXPECT_EQ(read[0].link.signal_dbm, -61);
  EXPECT_EQ(read[0].link.bitrate_mbps, 866.7);
  EXPECT_EQ(read[1].link.status, LinkContext::Status::kUnavailableLocation);
  EXPECT_EQ(read[2].link.ssid, "Home");
  EXPECT_EQ(read[2].link.frequency_mhz, 0);
  EXPECT_EQ(read[2].link.signal_dbm, -70);
}

TEST(JournalRecord, AnAccessDeniedContextReadsBackAsSuch) {
  JournalRecord refused;
  refused.link.status = LinkContext::Status::kUnavailableAccessDenied;
  const std::string row = FormatRecord(refused);
  EXPECT_TRUE(row.ends_with(",unavailable (access denied)")) << row;
  std::vector<JournalRecord> read;
  ReadJournalText(HeaderRow() + "\n" + row + "\n",
                  [&](const JournalRecord& r) { read.push_back(r); });
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].link.status, LinkContext::Status::kUnavailableAccessDenied);
}

// A month file begun before the link's columns existed keeps its header when
// rows with them are appended: those rows keep their context.
TEST(JournalRecord, RowsAppendedUnderAnEarlierHeaderKeepTheirLink) {
  JournalRecord record;
  record.link.status = LinkContext::Status::kKnown;
  record.link.bssid = "02:00:00:00:00:01";
  const std::string text =
      "time,method,value,connected,router,router_rtt_ms,internet,internet_rtt_ms,cause\n"
      "2026-12-07T15:03:11+01:00,1,70%,yes,,,,,ok\n" +
      FormatRecord(record) + "\n";
  std::vector<JournalRecord> read;
  const auto outcome = ReadJournalText(text, [&](const JournalRecord& r) { read.push_back(r); });
  EXPECT_EQ(outcome.damaged_lines, 0u);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].link.status, LinkContext::Status::kNone);
  EXPECT_EQ(read[1].link.bssid, "02:00:00:00:00:01");
}

TEST(JournalRecord, DamagedLinesAreSkippedAndTheRestStands) {
  JournalRecord record;
  record.utc = 1796652191;
  const std::string good = FormatRecord(record) + "\n";
  const std::string text = HeaderRow() + "\n" + good + good.substr(0, 20) + "\n" +
                           "2026-12-07T14:03:11+00:00,1,\"70%,yes,,,,,\n" + good +
                           good.substr(0, 30);
  int read = 0;
  const auto outcome = ReadJournalText(text, [&](const JournalRecord&) { ++read; });
  EXPECT_EQ(read, 2);
  EXPECT_EQ(outcome.damaged_lines, 3u);
}

// A row of more or fewer fields than its header names was cut or joined by hand:
// its fields cannot be trusted to their columns. Under an earlier build's shorter
// header the rows this build appended still read.
TEST(JournalRecord, ARowOfMoreOrFewerFieldsThanItsHeaderIsDamaged) {
  const std::string row = FormatRecord(JournalRecord{});
  int read = 0;
  auto outcome =
      ReadJournalText(HeaderRow() + "\n" + row + "\n" + row.substr(0, row.rfind(',')) + "\n" + row +
                          ",extra\n" + "2026-12-07T14:03:11+00:00,1,70%,yes\n",
                      [&](const JournalRecord&) { ++read; });
  EXPECT_EQ(read, 1);
  EXPECT_EQ(outcome.damaged_lines, 3u);
  outcome = ReadJournalText(
      "time,method,value,connected,router,router_rtt_ms,internet,internet_rtt_ms,cause\n" + row +
          "\n" + row + ",extra\n",
      [&](const JournalRecord&) { ++read; });
  EXPECT_EQ(outcome.records, 1u);
  EXPECT_EQ(outcome.damaged_lines, 1u);
}

// Every row is written with its line end: a last line without one was cut short, and
// is counted, never read, however the file is read.
TEST(JournalRecord, ALastLineWithoutItsEndIsCountedNotRead) {
  const std::string text =
      HeaderRow() + "\n" + FormatRecord(JournalRecord{}) + "\n" + FormatRecord(JournalRecord{});
  int read = 0;
  const auto outcome = ReadJournalText(text, [&](const JournalRecord&) { ++read; });
  EXPECT_EQ(read, 1);
  EXPECT_EQ(outcome.damaged_lines, 1u);
  TempDir temp;
  testing::WriteFile(temp / "2026-12.csv", text);
  const auto from_files = ReadJournal(temp.path(), [](const JournalRecord&) {});
  EXPECT_EQ(from_files.records, 1u);
  EXPECT_EQ(from_files.damaged_lines, 1u);
}

// Month files are read a block at a time: a row cut by a block's end is read
// whole, and each file's own header names its columns.
TEST(JournalRecord, ReadInBlocksCutAnywhereAsInOne) {
  JournalRecord record;
  record.utc = 1796652191;
  record.value = "70%, \"quoted\"";
  record.router = {ProbeState::kUp, 1.25};
  const std::string text = HeaderRow() + "\r\n" + FormatRecord(record) + "\r\n" +
                           FormatRecord(record).substr(0, 40) + "\r\n" + FormatRecord(record) +
                           "\r\n";
  std::vector<JournalRecord> read;
  JournalReader reader([&](const JournalRecord& r) { read.push_back(r); });
  for (std::size_t at = 0; at < text.size(); at += 7)
    reader.Feed(std::string_view(text).substr(at, 7));
  ReadOutcome outcome = reader.Finish();
  EXPECT_EQ(outcome.records, 2u);
  EXPECT_EQ(outcome.damaged_lines, 1u);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1].value, record.value);
  EXPECT_EQ(read[1].router.rtt_ms, 1.25);

  reader.Feed("method,time,value,connected\n2,2026-12-07T15:03:11+01:00,3,yes\n");
  outcome = reader.Finish();
  EXPECT_EQ(outcome.records, 1u);
  EXPECT_EQ(read.back().method, Method::kSignalStrength);
}

// The date and zone of the row before are taken as read: what is read is what the
// whole time read alone gives, for every row that differs from it anywhere.
TEST(JournalRecord, TimesReadAfterOneAnotherAsAlone) {
  IsoTimeMemo memo;
  for (const char* text :
       {"2026-12-07T15:03:11+01:00", "2026-12-07T15:04:59+01:00", "2026-12-07T23:59:60+01:00",
        "2026-12-07T24:00:00+01:00", "2026-12-07T15:6x:00+01:00", "2026-12-07T15:04:59+02:00",
        "2026-12-08T00:00:00+02:00", "2026-12-08T00:00:01Z", "2026-12-08T00:00:02Z",
        "2026-12-08T00:00:0Z", "2026-12-08 00:00:03Z", "2026-12-08T00:00:04+02:0"})
    EXPECT_EQ(memo.Parse(text), ParseIsoTime(text)) << text;
}

// Columns after the last one this build reads are not split, but a quote among them
// still counts: a field left open is a damaged line, as when every field was split.
TEST(JournalRecord, AQuoteInAColumnNotReadStillCounts) {
  const std::string header = HeaderRow() + ",ssid,note\n";
  const std::string row = FormatRecord(JournalRecord{});
  std::vector<JournalRecord> read;
  const auto outcome =
      ReadJournalText(header + row + ",\"Home, 2nd\",x\n" + row + ",\"open,x\n" + row + ",a\"b,x\n",
                      [&](const JournalRecord& r) { read.push_back(r); });
  EXPECT_EQ(outcome.records, 2u);
  EXPECT_EQ(outcome.damaged_lines, 1u);
}

// Month files are read on several threads: the records still come in the order of
// the months and of the rows, in many batches per file, with each file's count of
// damaged lines.
TEST(Journal, MonthFilesReadTogetherComeInOrder) {
  TempDir temp;
  constexpr int kRows = 12000;    // each file more than a stretch read at once
  std::int64_t utc = 1791504000;  // 2026-10-09 UTC
  for (const char* name : {"2026-10.csv", "2026-11.csv", "2026-12.csv", "2027-01.csv"}) {
    std::string text = HeaderRow() + "\n";
    for (int i = 0; i < kRows; ++i, utc += 5) {
      JournalRecord record;
      record.utc = utc;
      text += FormatRecord(record) + "\n";
    }
    testing::WriteFile(temp / name, text + "damaged\n");
  }
  std::vector<std::int64_t> times;
  const auto outcome =
      ReadJournal(temp.path(), [&](const JournalRecord& r) { times.push_back(r.utc); });
  EXPECT_EQ(outcome.records, 4u * kRows);
  EXPECT_EQ(outcome.damaged_lines, 4u);
  ASSERT_EQ(times.size(), 4u * kRows);
  for (std::size_t i = 0; i < times.size(); ++i)
    ASSERT_EQ(times[i], 1791504000 + 5 * static_cast<std::int64_t>(i)) << i;

  // A row longer than a stretch is read whole.
  JournalRecord long_row;
  long_row.value = std::string(700000, 'x');
  testing::WriteFile(temp / "2027-02.csv", HeaderRow() + "\n" + FormatRecord(long_row) + "\n" +
                                               FormatRecord(JournalRecord{}) + "\n");
  std::vector<std::size_t> values;
  ReadJournal(temp.path(), [&](const JournalRecord& r) { values.push_back(r.value.size()); });
  ASSERT_EQ(values.size(), 4u * kRows + 2);
  EXPECT_EQ(values[4 * kRows], long_row.value.size());
}

TEST(Journal, MonthFilesWithOneHeaderOwnerOnlyAndWhole) {
  TempDir temp;
  Journal journal(temp / "data" / "journal");
  JournalRecord record;
  record.utc = 1796652191;  // December 2026
  record.offset = 3600;
  const std::string row = FormatRecord(record) + std::string(kLineEnd);
  journal.Append(record);
  journal.Append(record);
  record.utc += 30 * 86400;  // January 2027
  journal.Append(record);
  const auto december = journal.MonthFile(2026, 12);
  EXPECT_EQ(december.filename(), "2026-12.csv");
  EXPECT_EQ(testing::ReadFile(december), HeaderRow() + std::string(kLineEnd) + row + row);
  EXPECT_TRUE(std::filesystem::exists(journal.MonthFile(2027, 1)));
#ifndef _WIN32
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(journal.folder()).permissions() & perms::all, perms::owner_all);
  EXPECT_EQ(std::filesystem::status(december).permissions() & perms::all,
            perms::owner_read | perms::owner_write);
#endif
  // A file left empty by a crash right after its creation gets its header.
  testing::WriteFile(december, "");
  journal.Append(record);
  record.utc = 1796652191;
  journal.Append(record);
  EXPECT_EQ(testing::ReadFile(december), HeaderRow() + std::string(kLineEnd) + row);
}

TEST(Journal, OldMonthsDeletedAndClearTakesEveryMonth) {
  TempDir temp;
  Journal journal(temp.path());
  for (const char* name : {"2025-10.csv", "2025-11.csv", "2026-12.csv", "notes.txt"})
    testing::WriteFile(temp / name, "time\n");
  journal.DeleteOldMonths(2026, 12, 13);
  EXPECT_FALSE(std::filesystem::exists(temp / "2025-10.csv"));
  EXPECT_TRUE(std::filesystem::exists(temp / "2025-11.csv"));
  EXPECT_TRUE(journal.Clear());
  EXPECT_FALSE(std::filesystem::exists(temp / "2025-11.csv"));
  EXPECT_FALSE(std::filesystem::exists(temp / "2026-12.csv"));
  EXPECT_TRUE(std::filesystem::exists(temp / "notes.txt"));  // not the journal's

  EXPECT_EQ(MonthsKeptFromText(" 24 "), 24);
  EXPECT_EQ(MonthsKeptFromText("0"), 0);
  for (const char* bad : {"", "-1", "1.5", "thirteen", "1201", "99999"})
    EXPECT_FALSE(MonthsKeptFromText(bad)) << bad;
}

// Month files another program holds, as the system's append tells them when it
// is not to wait; each write that gets through goes to the real file.
struct HeldFiles {
  bool held = true;
  std::vector<std::string> writes;  // the rows of each write, as one text
  RowsAppender Appender() {
    return [this](const std::filesystem::path& file, std::string_view header, std::string_view rows,
                  WhileHeld while_held) {
      if (held) throw FileHeldError("Permission denied");
      writes.emplace_back(rows);
      AppendRecord(file, header, rows, while_held);
    };
  }
};

JournalRecord RecordAt(std::int64_t utc, const char* value) {
  JournalRecord record;
  record.utc = utc;
  record.offset = 3600;
  record.value = value;
  return record;
}

std::vector<std::string> ValuesIn(const std::filesystem::path& folder) {
  std::vector<std::string> values;
  ReadJournal(folder, [&](const JournalRecord& record) { values.push_back(record.value); });
  return values;
}

TEST(Journal, RecordsWaitingForAHeldFileAreBoundedOldestFirst) {
  TempDir temp;
  HeldFiles files;
  Journal journal(temp.path(), files.Appender(), 2);
  const std::int64_t december = 1796652191;
  EXPECT_EQ(journal.Append(RecordAt(december, "1")).held_file, journal.MonthFile(2026, 12));
  EXPECT_FALSE(journal.Append(RecordAt(december + 1, "2")).dropped);
  EXPECT_TRUE(journal.Append(RecordAt(december + 2, "3")).dropped);
  EXPECT_EQ(journal.waiting(), 2u);
  EXPECT_EQ(journal.dropped(), 1u);

  files.held = false;
  const AppendOutcome outcome = journal.Append(RecordAt(december + 3, "4"));
  EXPECT_TRUE(outcome.held_file.empty());
  EXPECT_EQ(journal.waiting(), 0u);
  EXPECT_EQ(files.writes.size(), 1u);  // the waiting records went out with the new one
  EXPECT_EQ(ValuesIn(temp.path()), (std::vector<std::string>{"2", "3", "4"}));
}

TEST(Journal, WaitingRecordsFollowTheirMonthsDeletionAndClear) {
  TempDir temp;
  HeldFiles files;
  Journal journal(temp.path(), files.Appender());
  const std::int64_t november = 1796652191 - 31 * 86400;
  journal.Append(RecordAt(november, "november"));
  journal.Append(RecordAt(november + 31 * 86400, "december"));
  // A month deleted takes its waiting records along, or they would bring it back.
  journal.DeleteOldMonths(2026, 12, 0);
  EXPECT_EQ(journal.waiting(), 1u);
  EXPECT_TRUE(journal.Clear());
  EXPECT_EQ(journal.waiting(), 0u);
  files.held = false;
  EXPECT_EQ(journal.FinishWriting(), 0u);
  EXPECT_TRUE(ValuesIn(temp.path()).empty());
}

TEST(RttGrid, PerColumnTheMedianTheHighestAndTheLost) {
  RttGrid grid;
  grid.SetSpan(0, 479);  // a second per column
  for (const double ms : {1.0, 2.0, 40.0}) grid.Add(10, {ProbeState::kUp, ms}, kDown);
  grid.Add(10, kUnavailable, kSkipped);  // neither answered nor lost
  grid.Add(600, kUp, kUp);               // outside the span
  const RttGrid::Column& router = grid.router()[10];
  EXPECT_EQ(router.answered, 3u);
  EXPECT_EQ(router.lost, 0u);
  EXPECT_EQ(router.highest_ms, 40);
  EXPECT_NEAR(router.MedianMs(), 2.0, 0.3);  // within its bucket, an eighth of a tenfold
  EXPECT_EQ(grid.internet()[10].lost, 3u);
  EXPECT_EQ(grid.internet()[10].MedianMs(), 0);
}

// A time right at a bucket's lower bound belongs to that bucket.
TEST(RttGrid, ATimeAtABoundInTheBucketAbove) {
  for (const auto& [ms, bucket] : {std::pair{0.1, 0}, {1.0, 8}, {1.5, 9}, {10.0, 16}, {1e6, 47}}) {
    RttGrid grid;
    grid.SetSpan(0, 479);
    grid.Add(0, kDown, {ProbeState::kUp, ms});
    grid.Add(0, kDown, {ProbeState::kUp, 1e9});  // the median is the lower one's bucket
    EXPECT_EQ(grid.internet()[0].MedianMs(),
              std::sqrt(RttGrid::BucketLowMs(bucket) * RttGrid::BucketLowMs(bucket + 1)))
        << ms;
  }
}

}  // namespace
}  // namespace quorvane::journal
