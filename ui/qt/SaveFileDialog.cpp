// The save dialog, Qt's own or the desktop's, through QFileDialog.
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QStandardPaths>

#include "base/PathText.h"
#include "ui/qt/MessageBoxDialogs.h"

namespace quorvane {
namespace {

// A folder that is not there would open the dialog wherever Quorvane was
// started from.
QString StartFolder(const SaveFileQuestion& question) {
  const QString chosen = QString::fromStdString(PathText(question.folder));
  if (!chosen.isEmpty() && QDir(chosen).exists()) return chosen;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QDir(documents).exists()) return documents;
  return QDir::homePath();
}

}  // namespace

std::optional<std::filesystem::path> MessageBoxDialogs::AskSaveAs(
    const SaveFileQuestion& question) {
  // Without a display nobody could answer.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return std::nullopt;
  const QString extension = QString::fromStdString(question.extension);
  QFileDialog dialog(Owner(), QString::fromStdString(question.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(extension);
  dialog.setNameFilter(
      QStringLiteral("%1 (*.%2)").arg(QString::fromStdString(question.type_name), extension));
  dialog.setDirectory(StartFolder(question));
  dialog.selectFile(QString::fromStdString(question.suggested_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromText(dialog.selectedFiles().constFirst().toStdString());
}

}  // namespace quorvane
