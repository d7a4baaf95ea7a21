#include "ui/qt/DBusNotifications.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QImage>

#include "ui/qt/Icons.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");

// The program's icon as the "image-data" hint: (iiibiiay), RGBA rows. The
// server shows it whether or not an icon theme holds the program's icon.
QVariant IconHint() {
  const QImage image =
      ApplicationIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_RGBA8888);
  QDBusArgument argument;
  argument.beginStructure();
  argument << image.width() << image.height() << static_cast<int>(image.bytesPerLine()) << true << 8
           << 4
           << QByteArray(reinterpret_cast<const char*>(image.constBits()),
                         static_cast<int>(image.sizeInBytes()));
  argument.endStructure();
  return QVariant::fromValue(argument);
}

}  // namespace

DBusNotifications::DBusNotifications(QObject* parent) : QObject(parent) {}

bool DBusNotifications::ServerPresent() const {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusConnectionInterface* names = bus.interface();
  if (names->isServiceRegistered(kService)) return true;
  // A server the bus starts on the first call.
  const QDBusReply<QStringList> startable = names->activatableServiceNames();
  return startable.isValid() && startable.value().contains(kService);
}

bool DBusNotifications::Notify(int slot, const std::string& title, const std::string& text) {
  if (!ServerPresent()) return false;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!listening_)
    listening_ = bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                             SLOT(OnActionInvoked(uint, QString)));
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
  const auto known = ids_.find(slot);
  const uint replaces = known == ids_.end() ? 0 : known->second;
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("quorvane"));
  hints.insert(QStringLiteral("image-data"), IconHint());
  call << QStringLiteral("Quorvane") << replaces << QStringLiteral("quorvane")
       << QString::fromStdString(title) << QString::fromStdString(text)
       << QStringList{kDefaultAction, QStringLiteral("Show Quorvane")} << hints << -1;
  // Never waited for: the window goes on while the server answers, and a server
  // that fails leaves nothing worse than a notification not shown.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, slot](QDBusPendingCallWatcher* done) {
            const QDBusPendingReply<uint> reply = *done;
            if (reply.isValid()) ids_[slot] = reply.value();
            done->deleteLater();
          });
  return true;
}

void DBusNotifications::OnActionInvoked(uint id, const QString& action) {
  if (!form_ || action != kDefaultAction) return;
  for (const auto& [slot, shown] : ids_)
    if (shown == id) {
      form_->NotificationActivated();
      return;
    }
}

}  // namespace quorvane
