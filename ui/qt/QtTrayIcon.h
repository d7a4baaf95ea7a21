#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "window/Form1View.h"

class QSystemTrayIcon;

namespace quorvane {

class Form1;

// The tray icon through QSystemTrayIcon: an XEmbed icon on X11 trays, a
// StatusNotifierItem over D-Bus elsewhere. Presses on it go to the core.
class QtTrayIcon : public QObject, public TrayIconView {
  Q_OBJECT

 public:
  explicit QtTrayIcon(QObject* parent = nullptr);
  ~QtTrayIcon() override;

  void Attach(Form1& form) { form_ = &form; }
  QSystemTrayIcon* icon() const { return icon_; }

  bool Available() const override;
  bool Show(const std::string& tip) override;
  void Hide() override;
  void SetTip(const std::string& tip) override;
  void ShowBalloon(const std::string& title, const std::string& text, int seconds) override;
  void TakeDownBalloon() override;

  // Lets tests on a platform without a tray act as if there were one.
  static void OverrideAvailable(std::optional<bool> available);

 private:
  void OnActivated(int reason);
  void ShowBalloonWhenDocked();

  Form1* form_ = nullptr;
  // The icon is a StatusNotifierItem and balloons are desktop notifications.
  bool over_dbus_ = false;
  QSystemTrayIcon* icon_;
  std::function<void()> pending_balloon_;
  int waited_for_dock_ms_ = 0;
};

}  // namespace quorvane
