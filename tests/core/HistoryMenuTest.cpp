// The history list's context menu: the signal report and the CSV export.
#include <gtest/gtest.h>

#include "sampling/FileOperations.h"
#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

struct HistoryMenuTest : ::testing::Test {
  Form1Harness h;
  Form1* form = nullptr;

  // Loads the window with one sample in the log.
  void LoadWithHistory() {
    form = &h.Load();
    form->LogNow();
    h.WaitForReading();
  }
  bool ReportUnderWay() { return !form->HistoryMenuItems().at(0).enabled; }
  void WaitForReport() {
    while (ReportUnderWay())
      if (!h.loop.WaitForPosted(std::chrono::seconds(20))) return ADD_FAILURE() << "no report";
  }
};

TEST_F(HistoryMenuTest, OffersTheTwoCommandsAndTellsWhenThereIsNoHistoryYet) {
  form = &h.Load();
  const auto items = form->HistoryMenuItems();
  ASSERT_EQ(items.size(), 4u);  // and the notifications' two switches
  EXPECT_EQ(items[0].text, "Signal Report\xE2\x80\xA6");
  EXPECT_EQ(items[0].command, HistoryCommand::kSignalReport);
  EXPECT_EQ(items[1].text, "Export History as CSV\xE2\x80\xA6");
  EXPECT_EQ(items[1].command, HistoryCommand::kExportCsv);
  EXPECT_TRUE(items[0].enabled && items[1].enabled);

  form->HistoryMenuChosen(HistoryCommand::kSignalReport);
  form->HistoryMenuChosen(HistoryCommand::kExportCsv);
  EXPECT_EQ(h.dialogs.informations,
            (std::vector<std::string>{
                "There isn't a history to report because actions have not been performed yet.",
                "There isn't a history to export because actions have not been performed yet."}));
  EXPECT_TRUE(h.dialogs.save_questions.empty());
  EXPECT_FALSE(ReportUnderWay());
}

TEST_F(HistoryMenuTest, TheReportIsWrittenBesideTheLogAndOpenedInTheBrowserOneAtATime) {
  LoadWithHistory();
  form->HistoryMenuChosen(HistoryCommand::kSignalReport);
  // Until its outcome is back, the commands are greyed and a second one is ignored.
  EXPECT_TRUE(ReportUnderWay());
  h.dialogs.save_answer = h.temp / "ignored.csv";
  form->HistoryMenuChosen(HistoryCommand::kExportCsv);
  EXPECT_TRUE(h.dialogs.save_questions.empty());
  WaitForReport();

  const auto report = h.temp / "Quorvane-report.html";
  EXPECT_TRUE(FileExists(report));
  EXPECT_EQ(h.desktop.browsed_files, std::vector<std::filesystem::path>{report});
  EXPECT_TRUE(h.dialogs.silent());
  EXPECT_TRUE(h.Timer1().Active());

  // A browser that gives up after starting is told, naming the report.
  h.desktop.opener_failed("No web browser was found");
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_NE(h.dialogs.warnings[0].find(report.string()), std::string::npos);
  EXPECT_TRUE(h.dialogs.warnings[0].ends_with("No web browser was found."));
}

TEST_F(HistoryMenuTest, AReportThatCannotBeWrittenIsToldAndLoggingGoesOn) {
  LoadWithHistory();
  // A folder in the report's place: it cannot be replaced by a file.
  std::filesystem::create_directories(h.temp / "Quorvane-report.html" / "inside");
  form->HistoryMenuChosen(HistoryCommand::kSignalReport);
  WaitForReport();
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_TRUE(h.dialogs.warnings[0].starts_with("The signal report could not be made."));
  EXPECT_NE(h.dialogs.warnings[0].find("Quorvane-report.html"), std::string::npos);
  EXPECT_TRUE(h.desktop.browsed_files.empty());
  EXPECT_TRUE(h.Timer1().Active());
  EXPECT_FALSE(ReportUnderWay());
}

TEST_F(HistoryMenuTest, TheExportAsksWhereToSaveAndACancelDoesNothing) {
  LoadWithHistory();
  form->HistoryMenuChosen(HistoryCommand::kExportCsv);
  ASSERT_EQ(h.dialogs.save_questions.size(), 1u);
  EXPECT_EQ(h.dialogs.save_questions[0].suggested_name, "Quorvane.csv");
  EXPECT_EQ(h.dialogs.save_questions[0].extension, "csv");
  EXPECT_FALSE(ReportUnderWay());

  const auto csv = h.temp / "chosen" / "signal.csv";
  h.dialogs.save_answer = csv;  // a folder that is not there
  form->HistoryMenuChosen(HistoryCommand::kExportCsv);
  WaitForReport();
  ASSERT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_TRUE(h.dialogs.warnings[0].starts_with("The history could not be exported."));

  std::filesystem::create_directories(csv.parent_path());
  form->HistoryMenuChosen(HistoryCommand::kExportCsv);
  WaitForReport();
  EXPECT_TRUE(FileExists(csv));
  EXPECT_EQ(h.dialogs.warnings.size(), 1u);
  EXPECT_TRUE(h.desktop.browsed_files.empty());
  // The dialog opens where the last file went, once that folder is there.
  ASSERT_EQ(h.dialogs.save_questions.size(), 3u);
  EXPECT_TRUE(h.dialogs.save_questions[0].folder.empty());
  EXPECT_TRUE(h.dialogs.save_questions[1].folder.empty());
  EXPECT_EQ(h.dialogs.save_questions[2].folder, csv.parent_path());
}

}  // namespace
}  // namespace quorvane::testing
