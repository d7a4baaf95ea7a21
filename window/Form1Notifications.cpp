// Desktop notifications of drops and of a weak signal, and the tray tip naming the
// latest sample. The rules decide; this only feeds them and shows what they say.
#include "base/ProductName.h"
#include "notifications/NotificationRules.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

// How long a notification's balloon stays at the tray icon, in seconds.
constexpr int kNotificationBalloonSeconds = 10;

}  // namespace

void Form1::OpenNotifications() {
  notifications::Choices choices;
  // Anything but "On" leaves them off: nothing shows that was not asked for.
  choices.drops = GetSetting(services_.settings, setting::kNotifyDrops) == kOn;
  choices.weak = GetSetting(services_.settings, setting::kNotifyWeak) == kOn;
  const std::string stored = GetSetting(services_.settings, setting::kAlertAfter);
  if (const auto seconds = notifications::AlertAfterFromText(stored)) {
    choices.alert_after_seconds = *seconds;
  } else {
    dialogs_.Warn("The setting \"" + std::string(setting::kAlertAfter.name) + "\" holds \"" +
                  stored +
                  "\", which is not a number of seconds from 0 to 86400. Quorvane tells of a "
                  "drop once it has lasted " +
                  std::string(setting::kAlertAfter.default_text) + " seconds.");
  }
  notification_rules_.SetChoices(choices);
  history_menu_.OfferNotifications(
      choices.drops, choices.weak,
      [this](HistoryCommand command, bool on) { NotificationChosen(command, on); });
}

void Form1::NotificationChosen(HistoryCommand command, bool on) {
  const bool drops = command == HistoryCommand::kNotifyDrops;
  if (!Save(drops ? setting::kNotifyDrops : setting::kNotifyWeak, on ? kOn : kOff)) return;
  notifications::Choices choices = notification_rules_.choices();
  (drops ? choices.drops : choices.weak) = on;
  notification_rules_.SetChoices(choices);
  history_menu_.ShowNotifications(choices.drops, choices.weak);
}

void Form1::NotifySample(const journal::JournalRecord& record, const LocalDateTime& when) {
  notifications::SampleFacts facts;
  facts.utc = record.utc;
  facts.local = when;
  facts.method = record.method;
  facts.value_text = record.value;
  facts.connected = record.connected;
  facts.cause = record.cause;
  facts.interval_seconds = ChosenIntervalSeconds();
  for (const auto& notification : notification_rules_.Feed(facts)) ShowNotification(notification);
  tray_.SetTrayTip(notification_rules_.TrayTip());
}

void Form1::ShowNotification(const notifications::Notification& notification) {
  const std::string title(kProductName);
  if (notification_view_ && notification_view_->Notify(notification.slot, title, notification.text))
    return;
  // Windows shows the tray icon's balloon as a notification of its own; a newer
  // balloon takes the place of the one before, as a replaced notification would.
  tray_.ShowBalloon(notification.text, title, kNotificationBalloonSeconds, false);
  notification_balloon_ = true;
}

}  // namespace quorvane
