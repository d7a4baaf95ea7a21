#pragma once

#include <functional>
#include <memory>
#include <string>

#include "window/Form1View.h"

namespace quorvane {

// The program's icon in the notification area: whether it is there, its tip, and
// balloons that go away by themselves. A tray that refuses the icon (a shell
// still starting at login) is asked again every 2 seconds for 2 minutes before
// the program takes it that there is no tray.
class cSysTray {
 public:
  // `no_tray` is told when the tray refused the icon for the last time,
  // `taken_late` when it took the icon on a later try.
  cSysTray(TrayIconView& view, MessageLoop& loop, std::function<void()> no_tray = {},
           std::function<void()> taken_late = {});

  bool InTray() const { return in_tray_; }
  // True puts the icon into the tray, false takes it out; the same value twice
  // does nothing.
  void SetInTray(bool show);
  // The desktop made its tray anew (its shell restarted), empty: the icon goes
  // back when it belongs there.
  void TrayCreated();
  // The icon is still being offered to a tray that refused it.
  bool Retrying() const { return retry_timer_->Active(); }

  const std::string& TrayTip() const { return tray_tip_; }
  // Tips longer than 127 characters are cut.
  void SetTrayTip(const std::string& tip);

  // Shows a balloon at the icon and takes it down after `show_timer` seconds
  // (unless it was clicked first). With `show_once`, only the first such balloon
  // of the run is shown. Returns at once; nothing waits.
  void ShowBalloon(const std::string& tip, const std::string& title, int show_timer,
                   bool show_once);
  // The user clicked the balloon: it is gone already.
  void BalloonClicked();

  bool balloon_showing() const { return balloon_showing_; }
  int once_balloon_count() const { return once_balloon_count_; }
  // Whether the icon is in a tray now (before it is put there: whether the
  // desktop has a tray). A tray that took the icon may have gone since (a panel
  // that crashed), so the desktop is asked as well.
  bool Available() const { return (!in_tray_ || added_) && view_.Available(); }

  // The button numbers of the mouse events: 1 left, 2 right, 4 middle.
  static constexpr int kLeftButton = 1;
  static constexpr int kRightButton = 2;
  static constexpr int kMiddleButton = 4;

 private:
  void BalloonTimeUp();
  void Add();
  void AddAgain();

  TrayIconView& view_;
  std::function<void()> no_tray_;
  std::function<void()> taken_late_;
  std::unique_ptr<Timer> balloon_timer_;
  std::unique_ptr<Timer> retry_timer_;
  int tries_left_ = 0;
  bool in_tray_ = false;
  bool added_ = false;  // the tray took the icon
  std::string tray_tip_;
  bool balloon_showing_ = false;
  int once_balloon_count_ = 0;
};

}  // namespace quorvane
