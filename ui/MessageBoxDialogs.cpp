#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace quorvane {
namespace {

// Qt's labels break lines at LF only; the texts use CR LF and lone CRs as well.
QString Displayed(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QString AppTitle() { return QApplication::applicationDisplayName(); }

}  // namespace

void MessageBoxDialogs::ReportError(const ErrorReport& report) {
  QMessageBox::warning(parent_, QStringLiteral("Application Error"), Displayed(report.Text()));
}

void MessageBoxDialogs::Inform(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, AppTitle(), Displayed(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool MessageBoxDialogs::Confirm(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, AppTitle(), Displayed(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::Warn(const std::string& text) {
  QMessageBox::warning(parent_, AppTitle(), Displayed(text));
}

}  // namespace quorvane
