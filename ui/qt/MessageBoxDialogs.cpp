#include "ui/qt/MessageBoxDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace quorvane {
namespace {

// Qt's labels break lines at LF only; the texts use CR LF and lone CRs as well.
QString Displayed(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

// Without a display nobody could close a box, and logging would wait for it
// forever; the message goes to standard error instead.
bool Headless() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void PrintInstead(const QString& title, const QString& text) {
  std::cerr << title.toStdString() << ": " << text.toStdString() << std::endl;
}

}  // namespace

QWidget* MessageBoxDialogs::Owner() const {
  // A box over a window that is hidden in the tray or minimised would be placed
  // at the screen's corner; on its own the window manager places it in sight.
  if (parent_ && parent_->isVisible() && !parent_->isMinimized()) return parent_;
  return nullptr;
}

void MessageBoxDialogs::ReportError(const ErrorReport& report) {
  const QString title = QStringLiteral("Application Error");
  if (Headless()) return PrintInstead(title, Displayed(report.Text()));
  QMessageBox::warning(Owner(), title, Displayed(report.Text()));
}

void MessageBoxDialogs::Inform(const std::string& text) {
  if (Headless()) return PrintInstead(AppTitle(), Displayed(text));
  QMessageBox box(QMessageBox::NoIcon, AppTitle(), Displayed(text), QMessageBox::Ok, Owner());
  box.exec();
}

bool MessageBoxDialogs::Confirm(const std::string& text) {
  if (Headless()) return false;  // nothing is deleted without a person's "Yes"
  QMessageBox box(QMessageBox::NoIcon, AppTitle(), Displayed(text),
                  QMessageBox::Yes | QMessageBox::No, Owner());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::Warn(const std::string& text) {
  if (Headless()) return PrintInstead(AppTitle(), Displayed(text));
  QMessageBox::warning(Owner(), AppTitle(), Displayed(text));
}

}  // namespace quorvane
