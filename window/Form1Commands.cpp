// The commands on the history log as a whole, and the two help buttons.
#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "window/Form1.h"

namespace quorvane {

void Form1::PushButton1_Click() {
  TrappedHandler trap(dialogs_, "PushButton1_Click");
  bool exists = true;
  trap.Step(100, [&] { exists = FileExists(log_file_path_); });
  if (exists) {
    trap.Step(102, [&] {
      desktop_.OpenTextFile(log_file_path_, [this](const std::string& description) {
        TrappedHandler(dialogs_, "PushButton1_Click").Report(102, description);
      });
    });
  } else {
    trap.Step(104, [&] {
      dialogs_.Inform("There isn't a history to view because actions have not been performed yet.");
    });
  }
}

void Form1::PushButton2_Click() {
  TrappedHandler trap(dialogs_, "PushButton2_Click");
  bool exists = true;
  trap.Step(100, [&] { exists = FileExists(log_file_path_); });
  if (!exists) return;
  // A log that cannot be read leaves the clipboard as it was, so nothing stale is
  // pasted in its place; so does an empty log, as copying nothing would.
  trap.Step(102, [&] {
    const std::string text = ReadFileBytes(log_file_path_);
    if (!text.empty()) desktop_.CopyText(text);
  });
}

void Form1::PushButton12_Click() {
  TrappedHandler trap(dialogs_, "PushButton12_Click");
  bool yes = false;
  trap.Step(100, [&] {
    yes = dialogs_.Confirm("Are you sure you want to delete the history log and start over?");
  });
  if (!yes) return;
  trap.Step(102, [&] {
    DeleteFileQuietly(log_file_path_);
    if (FileExists(log_file_path_))
      throw AppError("The history log could not be deleted; another program may be using it");
  });
  trap.Step(104, [&] { history_.Clear(); });
  ClearJournal();
}

void Form1::PushButton3_Click() {
  TrappedHandler trap(dialogs_, "PushButton3_Click");
  trap.Step(100, [&] {
    dialogs_.Inform(
        std::string("Depending on what version of Windows you are using, you will need to use "
                    "Method #1 or Method #2 to retrieve a WiFi signal. Please try both methods. "
                    "If you have any questions, please email a screenshot of this message to ") +
        kSupportAddress);
  });
}

void Form1::PushButton11_Click() {
  TrappedHandler trap(dialogs_, "PushButton11_Click");
  trap.Step(100, [&] {
    dialogs_.Inform(std::string("Questions? Please contact Team Brindlewick at ") + kContactPage);
  });
}

}  // namespace quorvane
