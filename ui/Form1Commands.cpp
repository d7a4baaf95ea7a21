// The commands on the history log as a whole, and the two help buttons.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>

#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "ui/Form1.h"
#include "ui/HistoryModel.h"

namespace quorvane {

void Form1::PushButton1_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton1_Click");
  bool exists = true;
  trap.Step(100, [&] { exists = FileExists(log_file_path_); });
  if (exists) {
    trap.Step(102, [&] {
      services_.desktop.OpenTextFile(QString::fromStdString(log_file_path_.string()));
    });
  } else {
    trap.Step(104, [&] {
      services_.dialogs.Inform(
          "There isn't a history to view because actions have not been performed yet.");
    });
  }
}

void Form1::PushButton2_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton2_Click");
  bool exists = true;
  trap.Step(100, [&] { exists = FileExists(log_file_path_); });
  if (!exists) return;
  QByteArray text;
  const bool read = trap.Step(102, [&] {
    QFile log(QString::fromStdString(log_file_path_.string()));
    if (!log.open(QIODevice::ReadOnly)) throw AppError(log.errorString().toStdString());
    text = log.readAll();
  });
  // A log that could not be read leaves the clipboard as it was, so nothing stale
  // is pasted in its place.
  if (!read) return;
  trap.Step(108, [&] {
    // The log's own UTF-8 bytes go on the clipboard as they are: converting a
    // large log to a QString first would take longer than reading it and
    // triple the memory.
    auto* copy = new QMimeData;
    copy->setData(QStringLiteral("text/plain"), text);
    copy->setData(QStringLiteral("text/plain;charset=utf-8"), text);
    QApplication::clipboard()->setMimeData(copy);
  });
}

void Form1::PushButton12_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton12_Click");
  bool yes = false;
  trap.Step(100, [&] {
    yes = services_.dialogs.Confirm(
        "Are you sure you want to delete the history log and start over?");
  });
  if (!yes) return;
  trap.Step(102, [&] {
    DeleteFileQuietly(log_file_path_);
    if (FileExists(log_file_path_))
      throw AppError("The history log could not be deleted; another program may be using it");
  });
  trap.Step(104, [&] { history_->Clear(); });
}

void Form1::PushButton3_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton3_Click");
  trap.Step(100, [&] {
    services_.dialogs.Inform(
        std::string("Depending on what version of Windows you are using, you will need to use "
                    "Method #1 or Method #2 to retrieve a WiFi signal. Please try both methods. "
                    "If you have any questions, please email a screenshot of this message to ") +
        kSupportAddress);
  });
}

void Form1::PushButton11_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton11_Click");
  trap.Step(100, [&] {
    services_.dialogs.Inform(std::string("Questions? Please contact Team Brindlewick at ") +
                             kContactPage);
  });
}

}  // namespace quorvane
