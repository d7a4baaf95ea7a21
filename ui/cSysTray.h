#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class QSystemTrayIcon;

namespace quorvane {

// The program's icon in the notification area: its picture, its tip, balloons,
// and the mouse on it reported as events of the window that owns it.
class cSysTray : public QObject {
  Q_OBJECT

 public:
  explicit cSysTray(QObject* parent = nullptr);
  ~cSysTray() override;

  bool InTray() const { return in_tray_; }
  // True puts the icon into the tray, false takes it out; the same value twice
  // does nothing.
  void SetInTray(bool show);

  const QString& TrayTip() const { return tray_tip_; }
  // Tips longer than 127 characters are cut.
  void SetTrayTip(const QString& tip);

  const QIcon& TrayIcon() const { return tray_icon_; }
  // A null icon is ignored.
  void SetTrayIcon(const QIcon& icon);

  // Shows a balloon at the icon and takes it down after `show_timer` seconds
  // (unless it was clicked first). With `show_once`, only the first such
  // balloon of the run is shown. Returns at once; nothing waits.
  void ShowBalloon(const QString& tip, const QString& title, int show_timer, bool show_once);

  bool balloon_showing() const { return balloon_showing_; }
  int once_balloon_count() const { return once_balloon_count_; }
  // Whether the desktop has a tray for the icon to live in, now.
  static bool TrayAvailable();
  // Lets tests on a platform without a tray act as if there were one.
  static void OverrideTrayAvailable(std::optional<bool> available);

  // The button numbers of the events: 1 left, 2 right.
  static constexpr int kLeftButton = 1;
  static constexpr int kRightButton = 2;

 signals:
  void MouseDown(int button, int id);
  void MouseUp(int button, int id);
  void MouseDblClick(int button, int id);

 private:
  void OnActivated(int reason);

  // The icon is a StatusNotifierItem and balloons are desktop notifications.
  bool over_dbus_ = false;
  QSystemTrayIcon* icon_ = nullptr;
  bool in_tray_ = false;
  QString tray_tip_;
  QIcon tray_icon_;
  bool balloon_showing_ = false;
  int once_balloon_count_ = 0;
  QTimer balloon_timer_;
};

}  // namespace quorvane
