// Hiding into the tray, coming back, and closing.
#include "base/ProductName.h"
#include "window/Form1.h"
#include "window/HandlerSteps.h"

namespace quorvane {

const char* const Form1::kTrayBalloonText =
    "has been minimized to the system tray.\r\nClick on the blue 'B' icon (B for Brindlewick) "
    "to bring the software back.";

void Form1::ShowTrayBalloon() {
  const int shown_before = tray_.once_balloon_count();
  tray_.ShowBalloon(kTrayBalloonText, std::string(kProductName), 5, true);
  if (tray_.once_balloon_count() != shown_before) notification_balloon_ = false;
}

void Form1::BalloonClicked() {
  tray_.BalloonClicked();
  if (notification_balloon_) BringToFront();
  notification_balloon_ = false;
}

void Form1::WindowStateChanged() {
  // Some platforms report the change twice; only a window still on screen goes.
  if (!view_.IsMinimized() || minimized_to_tray_ || !view_.IsVisible()) return;
  if (!tray_.Available()) {
    // Without a tray the window stays minimised on the taskbar, where it can be
    // found again. While the tray may still take the icon, nothing is said yet.
    if (tray_.Retrying()) return;
    if (!tray_missing_told_)
      dialogs_.Inform(
          "This desktop has no system tray, so Quorvane stays on the taskbar while it is "
          "minimized. Click its taskbar button to bring it back.");
    tray_missing_told_ = true;
    return;
  }
  view_.HideWindow();
  minimized_to_tray_ = true;
  ShowTrayBalloon();
}

void Form1::ShowForm1(bool minimised) {
  // Wherever the window first appears from, it appears at the centre of the screen.
  if (!shown_once_) view_.CentreOnScreen();
  shown_once_ = true;
  minimised ? view_.ShowMinimizedWindow() : view_.ShowWindow();
}

void Form1::ShowAfterLoad() {
  if (!start_minimised_) {
    ShowForm1(false);
    return;
  }
  if (!tray_.Available()) {
    ShowForm1(true);
    return;
  }
  minimized_to_tray_ = true;
  ShowTrayBalloon();
}

void Form1::NoTray() {
  // The icon is gone for good: a window hidden in the tray goes to the taskbar.
  if (!minimized_to_tray_) return;
  minimized_to_tray_ = false;
  ShowForm1(true);
}

void Form1::TrayTookTheIconLate() {
  // A window that went to the taskbar minimised while the tray still refused the
  // icon (a start into the tray at login, before the shell was ready) goes into
  // it now, as a minimise does.
  WindowStateChanged();
}

void Form1::BringToFront() { TrayIconReleased(cSysTray::kLeftButton); }

void Form1::TrayIconReleased(int button) {
  // Only the left and right buttons bring the window back.
  if (button != cSysTray::kLeftButton && button != cSysTray::kRightButton) return;
  // The icon is in the tray while a start-up box may still be open; the window
  // comes once it is built.
  if (form_loading_) {
    brought_to_front_while_loading_ = true;
    return;
  }
  // It hid while minimised; it comes back in its normal size.
  ShowForm1(false);
  minimized_to_tray_ = false;
  ShowCountdown();  // catches up with what went on while it was hidden
}

void Form1::CloseRequested() {
  TrappedHandler trap(dialogs_, "Form_QueryUnload");
  trap.Step(step::close::kStopTimer, [&] {
    closing_ = true;  // a sample that ends now does not start the timer again
    timer1_->Stop();
  });
  trap.Step(step::close::kLeaveTray, [&] { tray_.SetInTray(false); });
  Unload();
}

void Form1::Unload() { view_.Quit(); }

bool Form1::EndReadings() {
  // The system's end of the session closes inside its own message, and the
  // program's way out after the loop asks again.
  if (readings_ended_) return *readings_ended_;
  // Ending a tool takes milliseconds; a reading still under way after this is
  // waiting for a system that may never answer.
  constexpr std::chrono::milliseconds kGrace{500};
  const bool ended = reader_.Stop(kGrace);
  readings_ended_ = ended;
  // A reading that ended as the window closed has its line in the log: its
  // record goes into the journal too.
  if (const auto result = reader_.TakeUndelivered(); result && result->read)
    recorder_.Record(sample_ticket_,
                     {result->logged.entry.when, services_.clock.UnixSeconds(),
                      result->reading.value_text, result->reading.sample, result->reading.link});
  recorder_.Close();  // a program that must end at once skips the destructor
  return ended;
}

}  // namespace quorvane
