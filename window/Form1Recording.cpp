// The window's side of what is kept beside the log: the history menu's choices of
// probes and notifications, and what the recorder tells the user.
#include <utility>

#include "base/ProductName.h"
#include "schedule/IntervalTable.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

// How long a notification's balloon stays at the tray icon, in seconds.
constexpr int kNotificationBalloonSeconds = 10;

}  // namespace

void Form1::OfferRecordingChoices() {
  // Without probes on this system, none are offered.
  if (recorder_.probes_offered())
    history_menu_.OfferNetworkProbes(recorder_.probes_on(),
                                     [this](bool on) { NetworkProbesChosen(on); });
  const notifications::Choices& choices = recorder_.notification_choices();
  history_menu_.OfferNotifications(
      choices.drops, choices.weak,
      [this](HistoryCommand command, bool on) { NotificationChosen(command, on); });
}

void Form1::NetworkProbesChosen(bool on) {
  if (!Save(setting::kNetworkProbes, on ? kOn : kOff)) return;
  recorder_.SetProbesOn(on);
  history_menu_.ShowNetworkProbes(on);
}

void Form1::NotificationChosen(HistoryCommand command, bool on) {
  const bool drops = command == HistoryCommand::kNotifyDrops;
  if (!Save(drops ? setting::kNotifyDrops : setting::kNotifyWeak, on ? kOn : kOff)) return;
  notifications::Choices choices = recorder_.notification_choices();
  (drops ? choices.drops : choices.weak) = on;
  recorder_.SetNotificationChoices(choices);
  history_menu_.ShowNotifications(choices.drops, choices.weak);
}

int Form1::ChosenIntervalSeconds() const {
  // The row stored last; before there is one, the shortest interval.
  const int row = last_interval_row_;
  return row >= 0 && row < static_cast<int>(kIntervalTable.size())
             ? quorvane::IntervalSeconds(kIntervalTable[static_cast<std::size_t>(row)].caption)
             : 1;
}

void Form1::Warn(const std::string& text) {
  if (holding_warnings_)
    held_warnings_.push_back(text);
  else
    dialogs_.Warn(text);
}

void Form1::ShowHeldWarnings() {
  holding_warnings_ = false;
  for (const std::string& text : std::exchange(held_warnings_, {})) dialogs_.Warn(text);
}

void Form1::Inform(const std::string& text) { dialogs_.Inform(text); }

void Form1::Notify(const notifications::Notification& notification) {
  const std::string title(kProductName);
  if (services_.notification_view &&
      services_.notification_view->Notify(notification.slot, title, notification.text))
    return;
  // Windows shows the tray icon's balloon as a notification of its own; a newer
  // balloon takes the place of the one before, as a replaced notification would.
  tray_.ShowBalloon(notification.text, title, kNotificationBalloonSeconds, false);
  notification_balloon_ = true;
}

void Form1::SetTrayTip(const std::string& tip) { tray_.SetTrayTip(tip); }

}  // namespace quorvane
