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

// The log's text for the clipboard. The log is UTF-8 here: its bytes are offered
// as they are, without a copy, for as long as the clipboard holds them, as a
// QString or a QByteArray of a large log would take longer and double the memory.
class HeldText : public QMimeData {
 public:
  explicit HeldText(std::string text) : text_(std::move(text)) {
    const QByteArray bytes =
        QByteArray::fromRawData(text_.data(), static_cast<qsizetype>(text_.size()));
    setData(QStringLiteral("text/plain"), bytes);
    setData(QStringLiteral("text/plain;charset=utf-8"), bytes);
  }

 private:
  std::string text_;
};

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

void QtDesktop::CopyText(std::string text) {
  QApplication::clipboard()->setMimeData(new HeldText(std::move(text)));
}

}  // namespace quorvane
