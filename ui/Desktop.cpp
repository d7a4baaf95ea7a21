#include "ui/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/AppError.h"

namespace quorvane {

void SystemDesktop::OpenTextFile(const QString& path) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
    throw AppError("No application to show text files was found");
}

void SystemDesktop::OpenUrl(const QString& url) {
  if (!QDesktopServices::openUrl(QUrl(url))) throw AppError("No web browser was found");
}

}  // namespace quorvane
