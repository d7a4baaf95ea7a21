#pragma once

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quorvane {

// Keeps Quorvane to one running copy per user. The first copy holds a lock file
// in the user's runtime folder and watches that folder; a later copy finds the
// lock taken, leaves a "show" request file there, and ends. A lock left behind
// by a copy that crashed is recognised as stale and taken over.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `folder` holds the lock and the requests; by default the user's runtime folder.
  explicit SingleInstance(QString folder = {}, QObject* parent = nullptr);

  // True when this is the first copy; false when another one runs and was asked
  // to come to the front.
  bool Claim();

 signals:
  // Another copy was started: the window should come to the front.
  void ShowRequested();

 private:
  QString RequestFile() const;
  void TakeRequest();

  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  QFileSystemWatcher watcher_;
};

}  // namespace quorvane
