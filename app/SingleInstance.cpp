#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace quorvane {
namespace {

constexpr int kWaitMs = 2000;
const QByteArray kShowRequest = "show\n";

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               : std::move(folder)) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (client->readAll().contains("show")) emit ShowRequested();
        client->disconnectFromServer();
      });
    }
  });
}

SingleInstance::~SingleInstance() { server_.close(); }

bool SingleInstance::Claim() {
  QDir().mkpath(folder_);
  lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/quorvane.lock"));
  // tryLock removes a lock whose owner no longer runs.
  if (!lock_->tryLock(0)) {
    // The owner may still be starting; give it a moment to listen.
    AskRunningCopyToShow();
    return false;
  }
  const QString socket = folder_ + QStringLiteral("/quorvane.socket");
  QLocalServer::removeServer(socket);  // left behind by a copy that crashed
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(socket);  // without it, later copies still see the lock
  return true;
}

bool SingleInstance::AskRunningCopyToShow() {
  const QString socket = folder_ + QStringLiteral("/quorvane.socket");
  for (int waited = 0; waited < kWaitMs; waited += 100) {
    QLocalSocket client;
    client.connectToServer(socket);
    if (client.waitForConnected(100)) {
      client.write(kShowRequest);
      client.waitForBytesWritten(kWaitMs);
      client.waitForDisconnected(kWaitMs);
      return true;
    }
    QThread::msleep(100);
  }
  return false;
}

}  // namespace quorvane
