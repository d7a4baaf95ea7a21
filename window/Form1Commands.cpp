// The commands on the history log as a whole, and the two help buttons.
#include "base/PathText.h"
#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "window/Form1.h"
#include "window/HandlerSteps.h"
#include "window/PlatformTexts.h"

namespace quorvane {

void Form1::ViewLog() {
  TrappedHandler trap(dialogs_, "PushButton1_Click");
  bool exists = true;
  trap.Step(step::view_log::kFindLog, [&] { exists = FileExists(log_file_path_); });
  if (exists) {
    // The box names the file beside why it could not be opened, whether the
    // opener fails at once or later.
    const auto not_opened = [this](const std::string& why) {
      TrappedHandler(dialogs_, "PushButton1_Click")
          .Report(step::view_log::kOpenLog, why + ": " + PathText(log_file_path_));
    };
    try {
      desktop_.OpenTextFile(log_file_path_, not_opened);
    } catch (const std::exception& failure) {
      not_opened(failure.what());
    }
  } else {
    trap.Step(step::view_log::kSayNoHistory, [&] {
      dialogs_.Inform("There isn't a history to view because actions have not been performed yet.");
    });
  }
}

void Form1::CopyLog() {
  TrappedHandler trap(dialogs_, "PushButton2_Click");
  bool exists = true;
  trap.Step(step::copy_log::kFindLog, [&] { exists = FileExists(log_file_path_); });
  if (!exists) return;
  // A log that cannot be read leaves the clipboard as it was, so nothing stale is
  // pasted in its place; so does an empty log, as copying nothing would.
  trap.Step(step::copy_log::kCopy, [&] {
    std::string text = ReadFileBytes(log_file_path_);
    if (!text.empty()) desktop_.CopyText(std::move(text));
  });
}

void Form1::ClearLog() {
  TrappedHandler trap(dialogs_, "PushButton12_Click");
  bool yes = false;
  trap.Step(step::clear_log::kAsk, [&] {
    yes = dialogs_.Confirm(
        "Are you sure you want to delete the history log and start over?\n\n"
        "The journal of outages and access points, and the last report, are deleted too.");
  });
  if (!yes) return;
  trap.Step(step::clear_log::kDeleteLog, [&] {
    DeleteFileQuietly(log_file_path_);
    if (FileExists(log_file_path_))
      throw AppError("The history log could not be deleted; another program may be using it");
  });
  trap.Step(step::clear_log::kEmptyList, [&] { history_.Clear(); });
  // The last report holds the same history, so it goes with it.
  DeleteFileQuietly(log_file_path_.parent_path() / kReportFileName);
  recorder_.Clear();
}

void Form1::ShowMethodHelp() {
  TrappedHandler trap(dialogs_, "PushButton3_Click");
  trap.Step(step::help::kShow,
            [&] { dialogs_.Inform(std::string(kPlatformTexts.method_help) + kSupportAddress); });
}

void Form1::ShowContactPage() {
  TrappedHandler trap(dialogs_, "PushButton11_Click");
  trap.Step(step::help::kShow,
            [&] { dialogs_.Inform(std::string(kPlatformTexts.contact) + kContactPage); });
}

}  // namespace quorvane
