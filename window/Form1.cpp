// The switches, the interval list, the countdown and the samples.
#include "window/Form1.h"

#include <algorithm>

#include "platform/AppError.h"
#include "schedule/IntervalTable.h"
#include "window/HandlerSteps.h"

namespace quorvane {
namespace {

constexpr const char* kTurnOn = "Turn On Automatic Log";
constexpr const char* kTurnOff = "Turn Off Automatic Log";
constexpr int kTimer1IntervalMs = 1000;
constexpr const char* kAllowLocation =
    "To allow it, open Settings, choose Privacy & security, then Location, and turn on "
    "\"Let desktop apps access your location\".";

std::string LocationPermissionAdvice(Method method) {
  const std::string refusal =
      method == Method::kWirelessTool
          ? "Windows does not let Quorvane see the wireless networks, because desktop apps may "
            "not use your location. Until you allow it, every sample reads \"0% (no "
            "connection)\".\r\n\r\n"
          : "Windows does not let Quorvane read the signal of the wireless adapter, because "
            "desktop apps may not use your location. Until you allow it, Method #2 writes \"5\" "
            "while the computer is online and \"0\" while it is not, whatever the "
            "signal.\r\n\r\n";
  return refusal + kAllowLocation;
}

}  // namespace

Form1::Form1(Form1Services services, Form1Views views, HistoryStore& history)
    : services_(std::move(services)),
      view_(views.window),
      dialogs_(views.dialogs),
      desktop_(views.desktop),
      loop_(views.loop),
      history_(history),
      tray_(
          views.tray, views.loop, [this] { NoTray(); }, [this] { TrayTookTheIconLate(); }),
      timer1_(views.loop.CreateTimer([this] { TimerTick(); })),
      button5_caption_(SpecOf(Control::PushButton5).caption),
      history_menu_(log_file_path_,
                    {services_.log_text_clock ? *services_.log_text_clock : services_.clock,
                     views.dialogs, views.desktop, views.loop, services_.settings}),
      recorder_({services_.clock, services_.settings, views.loop,
                 services_.recording.journal_folder, services_.recording.journal_append,
                 services_.recording.network_probe, services_.recording.metrics_folder_option},
                *this),
      reader_(services_.sampler, views.loop,
              [this](bool read, const SignalReading& reading, const LoggedLine& logged) {
                FinishSample(read, reading, logged);
              }) {
  view_.SetChecked(Control::Option1, true);
}

// The recorder writes the records still waiting as it goes.
Form1::~Form1() = default;

bool Form1::Save(const SettingKey& key, std::string_view value) {
  try {
    SaveSetting(services_.settings, key, value);
    return true;
  } catch (const AppError& error) {
    // Start-up stores the values it has just read; a store that refuses them is
    // worth one word, not one per value.
    if (form_loading_) {
      if (!store_refusal_told_)
        dialogs_.Warn(std::string("Quorvane's choices cannot be stored: ") + error.what());
      store_refusal_told_ = true;
      return false;
    }
    dialogs_.Warn(std::string("Your choice could not be remembered: ") + error.what());
    return false;
  }
}

void Form1::Clicked(Control control) {
  static constexpr std::pair<Control, void (Form1::*)()> kHandlers[] = {
      {Control::Check4, &Form1::StartAtLoginClicked},
      {Control::Check8, &Form1::StartInTrayClicked},
      {Control::Option1, &Form1::WirelessToolChosen},
      {Control::Option2, &Form1::SignalStrengthChosen},
      {Control::ListView2, &Form1::IntervalClicked},
      {Control::PushButton1, &Form1::ViewLog},
      {Control::PushButton2, &Form1::CopyLog},
      {Control::PushButton3, &Form1::ShowMethodHelp},
      {Control::PushButton5, &Form1::SwitchAutomaticLogging},
      {Control::PushButton6, &Form1::LogNow},
      {Control::PushButton11, &Form1::ShowContactPage},
      {Control::PushButton12, &Form1::ClearLog},
  };
  for (const auto& [served, handler] : kHandlers) {
    if (served == control) {
      (this->*handler)();
      return;
    }
  }
}

// Setting a box or button from the program raises its click, as a user's click
// would, when its value changes.
void Form1::SetCheck(Control box, bool checked) {
  if (view_.IsChecked(box) == checked) return;
  view_.SetChecked(box, checked);
  Clicked(box);
}

void Form1::SetOption(Control option, bool value) {
  const bool was = view_.IsChecked(option);
  view_.SetChecked(option, value);
  if (!value || was) return;
  // Choosing one method clears the other; both may be stored as cleared.
  Clicked(option);
}

// --- Start options and signal method -------------------------------------------

void Form1::StartAtLoginClicked() {
  if (form_loading_) return;
  if (view_.IsChecked(Control::Check4)) {
    view_.SetVisible(Control::Check8, true);
    Save(setting::kWindowsStartup, kOn);
    try {
      const std::string kept = services_.startup_entry.Add();
      if (!kept.empty()) dialogs_.Inform(kept);
    } catch (const AppError& error) {
      dialogs_.Warn(std::string("Quorvane could not be set to start at login: ") + error.what());
    }
  } else {
    SetCheck(Control::Check8, false);  // stores "Off" when it was ticked
    view_.SetVisible(Control::Check8, false);
    Save(setting::kWindowsStartup, kOff);
    try {
      services_.startup_entry.Remove();
    } catch (const AppError& error) {
      dialogs_.Warn(std::string("Quorvane will still start at login: ") + error.what());
    }
  }
}

void Form1::StartInTrayClicked() {
  Save(setting::kMinimized, view_.IsChecked(Control::Check8) ? kOn : kOff);
}

void Form1::WirelessToolChosen() { MethodChosen(Control::Option1); }

void Form1::SignalStrengthChosen() { MethodChosen(Control::Option2); }

void Form1::MethodChosen(Control option) {
  // The two methods exclude each other, whatever the toolkit's own keys did.
  if (view_.IsChecked(option))
    view_.SetChecked(option == Control::Option1 ? Control::Option2 : Control::Option1, false);
  // One choice, one word when it cannot be stored: the second value is not tried
  // once the first was refused.
  if (Save(setting::kOption1, BooleanText(view_.IsChecked(Control::Option1))))
    Save(setting::kOption2, BooleanText(view_.IsChecked(Control::Option2)));
}

// --- Interval list ---------------------------------------------------------------

int Form1::SelectedIntervalRow() {
  const int row = view_.SelectedRow(Control::ListView2);
  if (row >= 0) return last_interval_row_ = row;
  // The list never stays without a choice (a click beside the rows, or the
  // keyboard, can clear it): the interval chosen before is chosen again, so the
  // countdown always has an interval to count.
  if (last_interval_row_ >= 0) view_.SelectRow(Control::ListView2, last_interval_row_);
  return last_interval_row_;
}

std::int32_t Form1::IntervalSeconds() {
  const int row = SelectedIntervalRow();
  if (row < 0 || row >= static_cast<int>(kIntervalTable.size()))
    throw AppError("Object variable or With block variable not set");
  return quorvane::IntervalSeconds(kIntervalTable[static_cast<std::size_t>(row)].caption);
}

void Form1::IntervalClicked() {
  // A click beside the rows keeps the interval chosen before, and stores nothing.
  if (view_.SelectedRow(Control::ListView2) < 0) {
    SelectedIntervalRow();
    return;
  }
  const int row = SelectedIntervalRow();
  Save(setting::kOftenIndex, std::to_string(row + 1));
  countdown_.Restart(IntervalSeconds());
  TellRecorderSchedule();
}

// --- Countdown and switch --------------------------------------------------------

void Form1::ShowCountdown() {
  // A window hidden in the tray shows nothing; it catches up when it comes back.
  if (minimized_to_tray_) return;
  const auto& display = countdown_.display();
  view_.SetCaption(Control::Frame1, display.frame_caption);
  // A range of 0..0 would turn the bar into a busy indicator.
  const int maximum = std::max(1, display.progress_maximum);
  view_.SetProgress(maximum, std::min(display.progress_value, maximum));
}

void Form1::UpdateTimer() {
  const bool tick = countdown_.ticking() && !closing_;
  if (tick && !timer1_->Active()) timer1_->Start(kTimer1IntervalMs);
  if (!tick && timer1_->Active()) timer1_->Stop();
}

void Form1::TimerTick() {
  TrappedHandler trap(dialogs_, "Timer1");
  std::int32_t seconds_per_log = countdown_.seconds_per_log();
  const auto failure =
      trap.Attempt(step::timer::kReadInterval, [&] { seconds_per_log = IntervalSeconds(); });
  const auto action = countdown_.Tick(seconds_per_log);
  ShowCountdown();
  UpdateTimer();
  if (action == Countdown::Action::kTakeSample) RequestSample(SampleOrigin::kTimer);
  trap.Report(failure);  // last: the countdown goes on while the box is open
}

void Form1::SwitchAutomaticLogging() {
  TrappedHandler trap(dialogs_, "PushButton5_Click");
  if (button5_caption_ == kTurnOn) {
    button5_caption_ = kTurnOff;
    view_.SetCaption(Control::PushButton5, button5_caption_);
    countdown_.TurnOn();
    UpdateTimer();
    trap.Step(step::switch_logging::kStoreOn,
              [&] { SaveSetting(services_.settings, setting::kStartStopState, kOn); });
  } else if (button5_caption_ == kTurnOff) {
    button5_caption_ = kTurnOn;
    view_.SetCaption(Control::PushButton5, button5_caption_);
    countdown_.TurnOff();
    UpdateTimer();
    trap.Step(step::switch_logging::kStoreOff,
              [&] { SaveSetting(services_.settings, setting::kStartStopState, kOff); });
  }
  TellRecorderSchedule();
}

void Form1::TellRecorderSchedule() {
  recorder_.SetSchedule(ChosenIntervalSeconds(), countdown_.on());
}

void Form1::LogNow() {
  SetPointerMode(PointerMode::kBusy);
  ++log_now_pending_;
  RequestSample(SampleOrigin::kLogNow);
}

// --- Samples ---------------------------------------------------------------------

void Form1::RequestSample(SampleOrigin origin) {
  // One reading at a time; a request made meanwhile runs right after it.
  samples_waiting_.push_back(origin);
  StartNextSample();
}

void Form1::StartNextSample() {
  if (reader_.busy() || samples_waiting_.empty() || closing_) return;
  sample_running_ = samples_waiting_.front();
  samples_waiting_.pop_front();
  method_running_ = ChosenMethod();
  sample_ticket_ = recorder_.BeginSample();  // its probes beside the reading, never before it
  reader_.Start(method_running_, log_file_path_);
}

Method Form1::ChosenMethod() const {
  if (!methods_restored_) {
    // Start-up may hold a box open, with the countdown running, before it has set
    // the method buttons: a sample taken meanwhile uses the stored choice, as the
    // buttons will show it (an unreadable value leaves its button as it is).
    bool option1 = true;
    bool option2 = false;
    try {
      option1 = TextToBoolean(GetSetting(services_.settings, setting::kOption1));
    } catch (const std::exception&) {
    }
    try {
      option2 = TextToBoolean(GetSetting(services_.settings, setting::kOption2));
    } catch (const std::exception&) {
    }
    return option1 && !option2 ? Method::kWirelessTool : Method::kSignalStrength;
  }
  return view_.IsChecked(Control::Option1) ? Method::kWirelessTool : Method::kSignalStrength;
}

void Form1::FinishSample(bool read, const SignalReading& reading, const LoggedLine& logged) {
  const bool automatic = sample_running_ == SampleOrigin::kTimer;
  const Method method = method_running_;  // the next sample may start below
  const SampleTicket ticket = sample_ticket_;
  const char* const handler = automatic ? "Timer1" : "PushButton6_Click";
  TrappedHandler trap(dialogs_, handler);
  const int line = automatic ? step::timer::kLogSample : step::log_now::kLogSample;
  std::optional<ErrorReport> failure;
  holding_warnings_ = true;  // until the timer runs again
  if (read) {
    // The line is in the log already, appended on the reading's thread.
    failure = trap.Attempt(line, [&] {
      history_.Add(logged.entry);
      if (!logged.append_failure.empty()) throw AppError(logged.append_failure);
    });
    recorder_.Record(ticket, {logged.entry.when, services_.clock.UnixSeconds(), reading.value_text,
                              reading.sample, reading.link});
  } else {
    failure = ErrorReport{reading.value_text, handler, line};
    recorder_.Abandon(ticket);
  }
  // The timer is running again before a box can open: the box waits for the
  // user, the logger does not.
  if (automatic) {
    countdown_.SampleFinished();
    ShowCountdown();
    UpdateTimer();
  } else {
    // The busy pointer stays until the last sample asked for by hand is in.
    if (--log_now_pending_ == 0) SetPointerMode(PointerMode::kDefault);
    countdown_.ManualSampleFinished();  // the bar empties; its text stays "Progress Bar"
    ShowCountdown();
  }
  StartNextSample();
  ShowHeldWarnings();
  // Last, so that logging goes on while a box is open.
  trap.Report(failure);
  if (read && reading.location_refused && !location_refusal_told_) {
    location_refusal_told_ = true;
    dialogs_.Inform(LocationPermissionAdvice(method));
  }
}

// --- Pointer ---------------------------------------------------------------------

void Form1::SetPointerMode(PointerMode mode) {
  pointer_mode_ = mode;
  view_.SetPointer(mode);
}

void Form1::PointerMovedOver(Control control) {
  if (pointer_mode_ == PointerMode::kBusy) return;  // stays until its work ends
  switch (SpecOf(control).hover) {
    case ControlSpec::Hover::kHand:
      SetPointerMode(PointerMode::kHand);
      break;
    case ControlSpec::Hover::kArrow:
      if (pointer_mode_ != PointerMode::kDefault) SetPointerMode(PointerMode::kDefault);
      break;
    case ControlSpec::Hover::kKeep:
      break;
  }
}

}  // namespace quorvane
