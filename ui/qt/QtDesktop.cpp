#include "ui/qt/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#include "platform/AppError.h"

namespace quorvane {

namespace {

// Opens with the desktop's opener, xdg-open, as Qt's own desktop services do, but
// keeps an eye on it: it ends with a code other than 0 when no application could
// be started. It is not waited for, as it may wait for the application it starts.
void OpenWithDesktop(const QString& target, const char* nothing_found, Desktop::Failed failed) {
  auto* opener = new QProcess;
  opener->setProgram(QStringLiteral("xdg-open"));
  opener->setArguments({target});
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(opener, &QProcess::finished, opener,
                   [opener, nothing_found, failed](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) failed(nothing_found);
                     opener->deleteLater();
                   });
  opener->start();
  if (!opener->waitForStarted()) {
    delete opener;
    throw AppError(nothing_found);
  }
}

}  // namespace

void QtDesktop::OpenTextFile(const std::filesystem::path& file, Failed failed) {
  OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(),
                  "No application is set to open text files", std::move(failed));
}

void QtDesktop::OpenUrlInBackground(const std::string& url, Failed failed) {
  // Linux desktops give no say in whether the browser comes to the front.
  OpenWithDesktop(QString::fromStdString(url), "No web browser was found", std::move(failed));
}

void QtDesktop::OpenInBrowser(const std::filesystem::path& file, Failed failed) {
  // The opener gives a local .html file to the desktop's default web browser.
  OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(),
                  "No web browser was found", std::move(failed));
}

void QtDesktop::CopyText(const std::string& text) {
  // The log is UTF-8 here; its bytes go on the clipboard as they are, as
  // converting a large log to a QString first would take longer and triple the
  // memory.
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  auto* copy = new QMimeData;
  copy->setData(QStringLiteral("text/plain"), bytes);
  copy->setData(QStringLiteral("text/plain;charset=utf-8"), bytes);
  QApplication::clipboard()->setMimeData(copy);
}

}  // namespace quorvane
