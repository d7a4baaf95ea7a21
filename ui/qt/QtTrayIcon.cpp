#include "ui/qt/QtTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QSystemTrayIcon>
#include <QTimer>

#include "ui/qt/Icons.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

std::optional<bool> available_override;

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

QtTrayIcon::QtTrayIcon(QObject* parent)
    : QObject(parent), over_dbus_(StatusNotifierHostPresent()), icon_(new QSystemTrayIcon(this)) {
  icon_->setObjectName(QStringLiteral("cSysTray1"));
  connect(icon_, &QSystemTrayIcon::messageClicked, this, [this] {
    if (form_) form_->BalloonClicked();
  });
  connect(icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) { OnActivated(reason); });
}

QtTrayIcon::~QtTrayIcon() { icon_->hide(); }

bool QtTrayIcon::Available() const {
  return available_override.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void QtTrayIcon::OverrideAvailable(std::optional<bool> available) {
  available_override = available;
}

bool QtTrayIcon::Show(const std::string& tip) {
  icon_->setIcon(TrayPicture());
  icon_->setToolTip(QString::fromStdString(tip));
  icon_->show();
  // Qt docks the icon by itself into a tray that appears later.
  return Available();
}

void QtTrayIcon::Hide() {
  pending_balloon_ = nullptr;
  icon_->hide();
}

void QtTrayIcon::SetTip(const std::string& tip) { icon_->setToolTip(QString::fromStdString(tip)); }

void QtTrayIcon::ShowBalloon(const std::string& title, const std::string& text, int seconds) {
  pending_balloon_ = [this, title = QString::fromStdString(title),
                      text = QString::fromStdString(text), seconds] {
    icon_->showMessage(title, text, QSystemTrayIcon::NoIcon, seconds > 0 ? seconds * 1000 : 0);
  };
  waited_for_dock_ms_ = 0;
  ShowBalloonWhenDocked();
}

void QtTrayIcon::ShowBalloonWhenDocked() {
  // An icon put into an XEmbed tray a moment ago may not have docked yet; its
  // balloon would then point at the screen's corner. It waits for the icon, a
  // little while at most.
  constexpr int kStepMs = 100;
  constexpr int kLongestWaitMs = 3000;
  // Until it docks, Qt places the icon's window at the screen's origin.
  const QRect at = icon_->geometry();
  const bool docked = over_dbus_ || (!at.isEmpty() && !at.topLeft().isNull());
  if (!docked && waited_for_dock_ms_ < kLongestWaitMs && icon_->isVisible()) {
    waited_for_dock_ms_ += kStepMs;
    QTimer::singleShot(kStepMs, this, [this] {
      if (pending_balloon_) ShowBalloonWhenDocked();
    });
    return;
  }
  const auto show = std::move(pending_balloon_);
  pending_balloon_ = nullptr;
  if (show) show();
}

void QtTrayIcon::TakeDownBalloon() {
  pending_balloon_ = nullptr;
  // On an XEmbed tray an empty message takes Qt's own balloon down. A desktop
  // notification expires by itself after the same time; an empty message would
  // only arrive as a second, blank one.
  if (!over_dbus_) icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}

void QtTrayIcon::OnActivated(int reason) {
  if (!form_) return;
  // Qt reports presses, not releases: a left press (Trigger) or a right press
  // (Context) stands for the release that follows it.
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      form_->TrayIconReleased(cSysTray::kLeftButton);
      break;
    case QSystemTrayIcon::Context:
      form_->TrayIconReleased(cSysTray::kRightButton);
      break;
    case QSystemTrayIcon::MiddleClick:
      form_->TrayIconReleased(cSysTray::kMiddleButton);
      break;
    default:
      break;
  }
}

}  // namespace quorvane
