#include "window/cSysTray.h"

namespace quorvane {
namespace {

constexpr std::size_t kLongestTip = 127;
constexpr int kRetryMs = 2000;
constexpr int kTries = 60;  // two minutes

}  // namespace

cSysTray::cSysTray(TrayIconView& view, MessageLoop& loop, std::function<void()> no_tray,
                   std::function<void()> taken_late)
    : view_(view),
      no_tray_(std::move(no_tray)),
      taken_late_(std::move(taken_late)),
      balloon_timer_(loop.CreateTimer([this] { BalloonTimeUp(); })),
      retry_timer_(loop.CreateTimer([this] { AddAgain(); })) {}

void cSysTray::SetInTray(bool show) {
  if (show == in_tray_) return;
  in_tray_ = show;
  if (show) {
    Add();
  } else {
    balloon_timer_->Stop();
    retry_timer_->Stop();
    balloon_showing_ = false;
    // Even an add that failed is taken back: a shell busy at login may time out
    // and take the icon all the same, and it would outlive the program.
    view_.Hide();
    added_ = false;
  }
}

void cSysTray::Add() {
  added_ = view_.Show(tray_tip_);
  if (added_ || retry_timer_->Active()) return;
  tries_left_ = kTries;
  retry_timer_->Start(kRetryMs);
}

void cSysTray::AddAgain() {
  added_ = view_.Show(tray_tip_);
  if (!added_ && --tries_left_ > 0) return;
  retry_timer_->Stop();
  const auto& tell = added_ ? taken_late_ : no_tray_;
  if (tell) tell();
}

void cSysTray::TrayCreated() {
  if (in_tray_) Add();
}

void cSysTray::SetTrayTip(const std::string& tip) {
  tray_tip_ = tip.substr(0, kLongestTip);
  if (added_) view_.SetTip(tray_tip_);
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
