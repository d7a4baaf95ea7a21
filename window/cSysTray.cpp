#include "window/cSysTray.h"

namespace quorvane {
namespace {

constexpr std::size_t kLongestTip = 127;

}  // namespace

cSysTray::cSysTray(TrayIconView& view, MessageLoop& loop)
    : view_(view), balloon_timer_(loop.CreateTimer([this] { BalloonTimeUp(); })) {}

void cSysTray::SetInTray(bool show) {
  if (show == in_tray_) return;
  in_tray_ = show;
  if (show) {
    view_.Show(tray_tip_);
  } else {
    balloon_timer_->Stop();
    balloon_showing_ = false;
    view_.Hide();
  }
}

void cSysTray::SetTrayTip(const std::string& tip) {
  tray_tip_ = tip.substr(0, kLongestTip);
  if (in_tray_) view_.SetTip(tray_tip_);
}

void cSysTray::ShowBalloon(const std::string& tip, const std::string& title, int show_timer,
                           bool show_once) {
  if (show_once && once_balloon_count_ >= 1) return;
  view_.ShowBalloon(title, tip, show_timer);
  balloon_showing_ = true;
  if (show_once) ++once_balloon_count_;
  if (show_timer > 0) balloon_timer_->Start(show_timer * 1000);
}

void cSysTray::BalloonClicked() {
  balloon_showing_ = false;
  balloon_timer_->Stop();
}

void cSysTray::BalloonTimeUp() {
  balloon_timer_->Stop();  // one take-down per balloon
  if (balloon_showing_) view_.TakeDownBalloon();
  balloon_showing_ = false;
}

}  // namespace quorvane
