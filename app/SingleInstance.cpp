#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace quorvane {

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               : std::move(folder)) {
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { TakeRequest(); });
}

QString SingleInstance::RequestFile() const { return folder_ + QStringLiteral("/quorvane.show"); }

bool SingleInstance::Claim() {
  QDir().mkpath(folder_);
  lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/quorvane.lock"));
  // tryLock takes over a lock whose owner no longer runs.
  if (!lock_->tryLock(0)) {
    QFile request(RequestFile());
    request.open(QIODevice::WriteOnly);
    return false;
  }
  QFile::remove(RequestFile());  // left by a start that found a copy about to end
  watcher_.addPath(folder_);
  return true;
}

void SingleInstance::TakeRequest() {
  if (QFile::remove(RequestFile())) emit ShowRequested();
}

}  // namespace quorvane
