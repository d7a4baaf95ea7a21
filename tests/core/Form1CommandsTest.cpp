// The commands on the history log as a whole, and the help buttons.
#include <gtest/gtest.h>

#include "base/PathText.h"
#include "platform/Files.h"
#include "platform/OperatingSystem.h"
#include "sampling/FileOperations.h"
#include "tests/core/Form1Harness.h"

namespace quorvane::testing {
namespace {

// Windows keeps its own words; elsewhere the texts speak of the system in use.
TEST(Form1Commands, TheHelpButtonsAndTheStartOptionSpeakOfThisSystem) {
  Form1Harness h;
  Form1& form = h.Load();
  form.ShowMethodHelp();
  form.ShowContactPage();
  ASSERT_EQ(h.dialogs.informations.size(), 2u);
  const std::string& method_help = h.dialogs.informations[0];
  const std::string& contact = h.dialogs.informations[1];
  const std::string_view check_box = SpecOf(Control::Check4).caption;
  if constexpr (kThisSystem == OperatingSystem::kWindows) {
    EXPECT_EQ(check_box, "Load this software on Windows startup");
    EXPECT_EQ(method_help,
              "Depending on what version of Windows you are using, you will need to use Method "
              "#1 or Method #2 to retrieve a WiFi signal. Please try both methods. If you have "
              "any questions, please email a screenshot of this message to "
              "support@brindlewick.example");
    EXPECT_EQ(contact,
              "Questions? Please contact Team Brindlewick at https://brindlewick.example/contact/");
  } else {
    EXPECT_EQ(check_box, "Load this software at login");
    for (const std::string& text : {method_help, contact, std::string(check_box)})
      EXPECT_EQ(text.find("Windows"), std::string::npos) << text;
    EXPECT_NE(method_help.find("NetworkManager"), std::string::npos);
    EXPECT_NE(method_help.find("kernel"), std::string::npos);
    // Each address on a line of its own, whole.
    EXPECT_TRUE(method_help.ends_with("\r\nsupport@brindlewick.example"));
    EXPECT_TRUE(contact.ends_with("\r\nhttps://brindlewick.example/contact/"));
  }
}

TEST(Form1Commands, TheLogCommandsBeforeAnyHistory) {
  Form1Harness h;
  Form1& form = h.Load();
  form.ViewLog();
  EXPECT_EQ(h.dialogs.informations,
            std::vector<std::string>{
                "There isn't a history to view because actions have not been performed yet."});
  form.CopyLog();
  EXPECT_EQ(h.desktop.clipboard, "unchanged");
  WriteFile(h.temp / "Quorvane.txt", "");  // an empty log copies nothing either
  form.CopyLog();
  EXPECT_EQ(h.desktop.clipboard, "unchanged");
  form.ClearLog();
  EXPECT_EQ(h.dialogs.confirmations.size(), 1u);
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST(Form1Commands, ViewCopyAndClearWorkOnTheWholeLog) {
  Form1Harness h;
  const auto log = h.temp / "Quorvane.txt";
  WriteFile(log, "earlier run line caf\xC3\xA9\n");
  Form1& form = h.Load();
  EXPECT_EQ(h.history.size(), 0u);  // the list starts empty, the file keeps its lines
  form.LogNow();
  h.WaitForReading();

  form.ViewLog();
  EXPECT_EQ(h.desktop.text_files, std::vector<std::filesystem::path>{log});

  form.CopyLog();
  EXPECT_EQ(h.desktop.clipboard,
            "earlier run line caf\xC3\xA9\n12/07/26 14:03:11 WiFi Signal "
            "Strength is 70%" +
                std::string(kLineEnd));

  h.dialogs.answer_yes = false;
  form.ClearLog();
  EXPECT_EQ(h.history.size(), 1u);
  EXPECT_TRUE(FileExists(log));

  h.dialogs.answer_yes = true;
  std::filesystem::permissions(log, std::filesystem::perms::owner_read);
  WriteFile(h.temp / "Quorvane-report.html", "<html>the same history</html>");
  form.ClearLog();
  EXPECT_EQ(h.history.size(), 0u);
  EXPECT_FALSE(FileExists(log));
  EXPECT_FALSE(FileExists(h.temp / "Quorvane-report.html"));  // the report said the same
  // The question says what goes with the log.
  EXPECT_NE(h.dialogs.confirmations.back().find("\n\nThe journal of outages and access points, and "
                                                "the last report, are deleted too."),
            std::string::npos);
  EXPECT_TRUE(h.dialogs.errors.empty());
  EXPECT_TRUE(h.Timer1().Active());

  form.ViewLog();
  EXPECT_EQ(h.dialogs.informations.size(), 1u);
}

TEST(Form1Commands, ALogThatCannotBeCopiedOrDeletedIsReported) {
  Form1Harness h;
  Form1& form = h.Load();
  // A folder where the log should be: it exists, but is neither readable as a
  // file nor removable as one.
  std::filesystem::create_directories(h.temp / "Quorvane.txt" / "inside");
  form.CopyLog();
  EXPECT_EQ(h.desktop.clipboard, "unchanged");
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0].handler, "PushButton2_Click");
  EXPECT_EQ(h.dialogs.errors[0].line, 102);

  form.ClearLog();
  ASSERT_EQ(h.dialogs.errors.size(), 2u);
  EXPECT_EQ(h.dialogs.errors[1].handler, "PushButton12_Click");
  EXPECT_EQ(h.dialogs.errors[1].line, 102);

  // No application for text files: the box names the log and says why, whether
  // the opener fails at once or after it started.
  std::filesystem::remove_all(h.temp / "Quorvane.txt");
  WriteFile(h.temp / "Quorvane.txt", "a line\n");
  const std::string expected =
      "No application is set to open text files: " + PathText(form.LogFilePath());
  h.desktop.refuse = true;
  form.ViewLog();
  ASSERT_EQ(h.dialogs.errors.size(), 3u);
  EXPECT_EQ(h.dialogs.errors[2].line, 102);
  EXPECT_EQ(h.dialogs.errors[2].description, expected);
  h.desktop.refuse = false;
  form.ViewLog();
  h.desktop.opener_failed("No application is set to open text files");
  ASSERT_EQ(h.dialogs.errors.size(), 4u);
  EXPECT_EQ(h.dialogs.errors[3].handler, "PushButton1_Click");
  EXPECT_EQ(h.dialogs.errors[3].line, 102);
  EXPECT_EQ(h.dialogs.errors[3].description, expected);
}

}  // namespace
}  // namespace quorvane::testing
