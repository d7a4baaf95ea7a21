#include "app/DisplayPlatform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>
#include <iostream>

namespace quorvane {

QByteArray PreferredPlatform() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return {};
  const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!x11 && !wayland) return "offscreen";
  // Through XWayland the window manager's minimise reaches the window as on X11,
  // so it hides into the tray; with Qt's Wayland platform it would not.
  if (x11 && wayland) return "xcb";
  return {};
}

bool PlatformReportsMinimise() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TellMinimiseStaysOnTaskbar() {
  const QString text = QStringLiteral(
      "This desktop does not tell Quorvane when its window is minimised, so minimising "
      "leaves it on the taskbar instead of hiding it into the tray.");
  std::cout << text.toStdString() << std::endl;
  const QString service = QStringLiteral("org.freedesktop.Notifications");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(service)) return;
  QDBusMessage notify = QDBusMessage::createMethodCall(
      service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
  notify << QStringLiteral("Quorvane") << 0u << QStringLiteral("quorvane")
         << QStringLiteral("Quorvane") << text << QStringList() << QVariantMap() << 10000;
  bus.call(notify, QDBus::NoBlock);
}

}  // namespace quorvane
