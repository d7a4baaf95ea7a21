#include "ui/qt/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "platform/AppError.h"

namespace quorvane {

void QtDesktop::OpenTextFile(const std::filesystem::path& file) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string()))))
    throw AppError("No application to show text files was found");
}

void QtDesktop::OpenUrlInBackground(const std::string& url) {
  // Linux desktops give no say in whether the browser comes to the front.
  if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(url))))
    throw AppError("No web browser was found");
}

void QtDesktop::CopyFileText(const std::filesystem::path& file) {
  QFile log(QString::fromStdString(file.string()));
  if (!log.open(QIODevice::ReadOnly)) throw AppError(log.errorString().toStdString());
  // The log is UTF-8 here; its bytes go on the clipboard as they are, as
  // converting a large log to a QString first would take longer than reading it
  // and triple the memory.
  const QByteArray text = log.readAll();
  auto* copy = new QMimeData;
  copy->setData(QStringLiteral("text/plain"), text);
  copy->setData(QStringLiteral("text/plain;charset=utf-8"), text);
  QApplication::clipboard()->setMimeData(copy);
}

}  // namespace quorvane
