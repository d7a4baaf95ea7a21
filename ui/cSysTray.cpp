#include "ui/cSysTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QSystemTrayIcon>

namespace quorvane {
namespace {

constexpr int kIconId = 0;
constexpr qsizetype kLongestTip = 127;
std::optional<bool> tray_available_override;

// Qt hosts the icon as a StatusNotifierItem, and sends balloons as desktop
// notifications, when a StatusNotifierWatcher with a host on it is on the session
// bus as the first icon is made; it decides once per process.
bool StatusNotifierHostPresent() {
  const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
  QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
  return host.isValid() && host.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace

cSysTray::cSysTray(QObject* parent)
    : QObject(parent), over_dbus_(StatusNotifierHostPresent()), icon_(new QSystemTrayIcon(this)) {
  balloon_timer_.setSingleShot(true);
  connect(&balloon_timer_, &QTimer::timeout, this, [this] {
    // Time is up and the balloon is still there: on an XEmbed tray an empty
    // message takes it down. A desktop notification expires by itself after the
    // same time; an empty message would only arrive as a second, blank one.
    if (balloon_showing_ && !over_dbus_)
      icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
    balloon_showing_ = false;
  });
  connect(icon_, &QSystemTrayIcon::messageClicked, this, [this] {
    balloon_showing_ = false;
    balloon_timer_.stop();
  });
  connect(icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) { OnActivated(reason); });
}

cSysTray::~cSysTray() { SetInTray(false); }

bool cSysTray::TrayAvailable() {
  return tray_available_override.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void cSysTray::OverrideTrayAvailable(std::optional<bool> available) {
  tray_available_override = available;
}

void cSysTray::SetInTray(bool show) {
  if (show == in_tray_) return;
  in_tray_ = show;
  if (show) {
    icon_->setIcon(tray_icon_);
    icon_->setToolTip(tray_tip_);
    icon_->show();
  } else {
    icon_->hide();
  }
}

void cSysTray::SetTrayTip(const QString& tip) {
  tray_tip_ = tip.left(kLongestTip);
  icon_->setToolTip(tray_tip_);
}

void cSysTray::SetTrayIcon(const QIcon& icon) {
  if (icon.isNull()) return;
  tray_icon_ = icon;
  icon_->setIcon(tray_icon_);
}

void cSysTray::ShowBalloon(const QString& tip, const QString& title, int show_timer,
                           bool show_once) {
  if (show_once && once_balloon_count_ >= 1) return;
  icon_->showMessage(title, tip, QSystemTrayIcon::NoIcon, show_timer > 0 ? show_timer * 1000 : 0);
  balloon_showing_ = true;
  if (show_once) ++once_balloon_count_;
  if (show_timer > 0) balloon_timer_.start(show_timer * 1000);
}

void cSysTray::OnActivated(int reason) {
  // Qt reports presses, not releases: a left press (Trigger) or a right press
  // (Context) stands for the release that follows it. The middle button does
  // nothing, as the icon's callbacks never named it.
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      emit MouseDown(kLeftButton, kIconId);
      emit MouseUp(kLeftButton, kIconId);
      break;
    case QSystemTrayIcon::Context:
      emit MouseDown(kRightButton, kIconId);
      emit MouseUp(kRightButton, kIconId);
      break;
    case QSystemTrayIcon::DoubleClick:
      emit MouseDblClick(kLeftButton, kIconId);
      break;
    default:
      break;
  }
}

}  // namespace quorvane
