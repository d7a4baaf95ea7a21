#include "ui/qt/QtTrayIcon.h"

#include <QSystemTrayIcon>

#include "ui/qt/Icons.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

std::optional<bool> available_override;

}  // namespace

QtTrayIcon::QtTrayIcon(QObject* parent) : QObject(parent), icon_(new QSystemTrayIcon(this)) {
  icon_->setObjectName(QStringLiteral("cSysTray1"));
  connect(icon_, &QSystemTrayIcon::messageClicked, this, [this] {
    if (form_) form_->cSysTray1_BalloonClick();
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

void QtTrayIcon::Show(const std::string& tip) {
  icon_->setIcon(TrayPicture());
  icon_->setToolTip(QString::fromStdString(tip));
  icon_->show();
}

void QtTrayIcon::Hide() { icon_->hide(); }

void QtTrayIcon::SetTip(const std::string& tip) { icon_->setToolTip(QString::fromStdString(tip)); }

void QtTrayIcon::ShowBalloon(const std::string& title, const std::string& text, int seconds) {
  icon_->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                     QSystemTrayIcon::NoIcon, seconds > 0 ? seconds * 1000 : 0);
}

void QtTrayIcon::TakeDownBalloon() {
  // An empty message takes Qt's own balloon down.
  icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}

void QtTrayIcon::OnActivated(int reason) {
  if (!form_) return;
  // Qt reports presses, not releases: a left press (Trigger) or a right press
  // (Context) stands for the release that follows it.
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      form_->cSysTray1_MouseUp(cSysTray::kLeftButton);
      break;
    case QSystemTrayIcon::Context:
      form_->cSysTray1_MouseUp(cSysTray::kRightButton);
      break;
    case QSystemTrayIcon::MiddleClick:
      form_->cSysTray1_MouseUp(cSysTray::kMiddleButton);
      break;
    default:
      break;
  }
}

}  // namespace quorvane
