// The journal that the window keeps beside the log: a record for every sample.
#include <gtest/gtest.h>

#include "journal/Journal.h"
#include "platform/Files.h"
#include "tests/core/Form1Harness.h"
#include "tests/fakes/HeldJournal.h"

namespace quorvane::testing {
namespace {

std::vector<journal::JournalRecord> Records(const std::filesystem::path& folder) {
  std::vector<journal::JournalRecord> records;
  journal::ReadJournal(folder, [&](const journal::JournalRecord& r) { records.push_back(r); });
  return records;
}

TEST(Form1Journal, ARecordForEverySampleWithItsCause) {
  Form1Harness h;
  TempDir data("data");
  h.journal_folder = data / "quorvane" / "journal";
  h.clock.unix_seconds -= 3600;  // the clock's local time is an hour ahead of UTC
  h.tool.output = "*:70:Home:AA\\:BB\\:CC\\:DD\\:EE\\:FF:36:5180 MHz:400 Mbit/s\n";
  h.Load();
  h.Tick(5);
  h.WaitForReading();
  h.tool.output = "";  // no network listed
  h.form->LogNow();
  h.WaitForReading();

  const auto records = Records(h.journal_folder);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(journal::IsoTimeText(records[0].utc, records[0].offset), "2026-12-07T14:03:11+01:00");
  EXPECT_EQ(records[0].value, "70%");
  EXPECT_EQ(records[0].method, Method::kWirelessTool);
  EXPECT_EQ(records[0].cause, Cause::kNone);  // probes off: nothing beyond the WiFi
  EXPECT_EQ(records[0].link.ssid, "Home");    // the link the sample was read on
  EXPECT_EQ(records[0].link.bssid, "aa:bb:cc:dd:ee:ff");
  EXPECT_EQ(records[0].link.channel, 36);
  EXPECT_EQ(records[1].link.status, LinkContext::Status::kNone);
  EXPECT_EQ(records[1].value, "0% (no connection)");
  EXPECT_FALSE(records[1].connected);
  EXPECT_EQ(records[1].cause, Cause::kWifi);
  EXPECT_TRUE(h.dialogs.silent());
}

TEST(Form1Journal, AFolderThatCannotBeWrittenIsToldOnceWhileTheLogGoesOn) {
  Form1Harness h;
  h.journal_folder = h.temp / "plain file";
  WriteFile(h.journal_folder, "");
  h.Load();
  h.TickAndRead(10);
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_EQ(h.dialogs.warnings[0].rfind("Quorvane cannot write its journal into the folder " +
                                            h.journal_folder.string() + ": ",
                                        0),
            0u)
      << h.dialogs.warnings[0];
  EXPECT_EQ(h.LogLines(), 2);
  EXPECT_EQ(h.history.size(), 2u);
}

TEST(Form1Journal, ClearRemovesItsFilesAndOldMonthsGoAtStart) {
  Form1Harness h;
  TempDir data("journal");
  h.journal_folder = data.path();
  h.settings.values["Journal Months"] = "2";
  WriteFile(data / "2026-09.csv", "time\n");
  WriteFile(data / "2026-10.csv", "time\n");
  h.Load();
  EXPECT_FALSE(std::filesystem::exists(data / "2026-09.csv"));
  EXPECT_TRUE(std::filesystem::exists(data / "2026-10.csv"));
  h.TickAndRead(5);
  ASSERT_TRUE(std::filesystem::exists(data / "2026-12.csv"));

  h.form->ClearLog();
  EXPECT_FALSE(std::filesystem::exists(data / "2026-10.csv"));
  EXPECT_FALSE(std::filesystem::exists(data / "2026-12.csv"));
  EXPECT_TRUE(h.dialogs.warnings.empty());
}

std::vector<std::string> Values(const std::filesystem::path& folder) {
  std::vector<std::string> values;
  for (const auto& record : Records(folder)) values.push_back(record.value);
  return values;
}

// Samples taken by hand, one after the other, each with the signal given.
void LogNow(Form1Harness& h, std::initializer_list<const char*> signals) {
  for (const char* signal : signals) {
    h.tool.output = std::string(" :") + signal + "\n";
    h.form->LogNow();
    h.WaitForReading();
  }
}

// Loads the window with its journal in `folder`, written through `file`.
void LoadWithHeldJournal(Form1Harness& h, const std::filesystem::path& folder, HeldJournal& file) {
  h.journal_folder = folder;
  h.journal_appender = file.Appender();
  h.Load();
}

TEST(Form1Journal, AHeldFileIsNeverWaitedForAndGetsItsRecordsInOrderOnceFree) {
  Form1Harness h;
  TempDir data("journal");
  HeldJournal file;
  bool counting_while_open = false;
  h.dialogs.while_open = [&] { counting_while_open = h.Timer1().Active(); };
  LoadWithHeldJournal(h, data.path(), file);
  h.tool.output = " :50\n";
  h.TickAndRead(5);
  EXPECT_TRUE(counting_while_open);  // the box never holds up the next sample
  LogNow(h, {"60", "70"});
  // Never a wait on the window's thread: each sample tries once and goes on.
  EXPECT_EQ(file.appends, std::vector<WhileHeld>(3, WhileHeld::kGiveUp));
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);  // told once, not per sample
  EXPECT_EQ(h.dialogs.warnings[0].rfind("Another program holds the journal's file " +
                                            (data / "2026-12.csv").string() + " open",
                                        0),
            0u)
      << h.dialogs.warnings[0];
  EXPECT_EQ(h.LogLines(), 3);

  file.held = false;
  LogNow(h, {"80"});
  EXPECT_EQ(Values(data.path()), (std::vector<std::string>{"50%", "60%", "70%", "80%"}));
  EXPECT_EQ(file.appends.size(), 4u);  // the waiting three went out with the fourth
}

// The reading's line went into the log on its thread, but the window closed before
// the result came back: the record follows the line all the same.
TEST(Form1Journal, AReadingThatEndsAsTheWindowClosesStillGetsItsRecord) {
  Form1Harness h;
  TempDir data("journal");
  h.journal_folder = data.path();
  h.Load();
  h.form->LogNow();
  for (int wait = 0; wait < 500 && h.LogLines() == 0; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(h.LogLines(), 1);
  h.form->CloseRequested();
  EXPECT_TRUE(h.form->EndReadings());
  h.form.reset();
  EXPECT_EQ(Values(data.path()), std::vector<std::string>{"70%"});
}

}  // namespace
}  // namespace quorvane::testing
