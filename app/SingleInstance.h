#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quorvane {

// Keeps Quorvane to one running copy per user. The first copy holds a lock file
// and listens on a local socket in the user's runtime folder; a later copy finds
// the lock taken, asks the first one to show its window, and ends. A lock left
// behind by a copy that crashed is recognised as stale and taken over.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `folder` holds the lock and the socket; by default the user's runtime folder.
  explicit SingleInstance(QString folder = {}, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this is the first copy; false when another one runs and was asked
  // to come to the front.
  bool Claim();

 signals:
  // Another copy was started: the window should come to the front.
  void ShowRequested();

 private:
  bool AskRunningCopyToShow();

  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

}  // namespace quorvane
