// The journal that the window keeps beside the log: a record for every sample.
#include <gtest/gtest.h>

#include "journal/Journal.h"
#include "platform/Files.h"
#include "tests/core/Form1Harness.h"

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
  h.form->PushButton6_Click();
  h.WaitForReading();

  const auto records = Records(h.journal_folder);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(journal::IsoTimeText(records[0].utc, records[0].offset), "2026-12-07T14:03:11+01:00");
  EXPECT_EQ(records[0].value, "70%");
  EXPECT_EQ(records[0].method, 1);
  EXPECT_EQ(records[0].cause, journal::Cause::kNone);  // probes off: nothing beyond the WiFi
  EXPECT_EQ(records[0].link.ssid, "Home");             // the link the sample was read on
  EXPECT_EQ(records[0].link.bssid, "aa:bb:cc:dd:ee:ff");
  EXPECT_EQ(records[0].link.channel, 36);
  EXPECT_EQ(records[1].link.status, LinkContext::Status::kNone);
  EXPECT_EQ(records[1].value, "0% (no connection)");
  EXPECT_FALSE(records[1].connected);
  EXPECT_EQ(records[1].cause, journal::Cause::kWifi);
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

  h.form->PushButton12_Click();
  EXPECT_FALSE(std::filesystem::exists(data / "2026-10.csv"));
  EXPECT_FALSE(std::filesystem::exists(data / "2026-12.csv"));
  EXPECT_TRUE(h.dialogs.warnings.empty());
}

TEST(Form1Journal, AnInvalidMonthsSettingIsToldNamingItsKey) {
  Form1Harness h;
  TempDir data("journal");
  h.journal_folder = data.path();
  h.settings.values["Journal Months"] = "a year";
  WriteFile(data / "2025-11.csv", "time\n");  // kept by the default 13 months
  h.Load();
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_NE(h.dialogs.warnings[0].find("\"Journal Months\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(data / "2025-11.csv"));
}

}  // namespace
}  // namespace quorvane::testing
