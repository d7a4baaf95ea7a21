// The start-up sequence of the main window.
#include "base/ProductName.h"
#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "sampling/HistoryLog.h"
#include "schedule/IntervalTable.h"
#include "window/AppTitle.h"
#include "window/Form1.h"
#include "window/HandlerSteps.h"
#include "window/Skin.h"

namespace quorvane {
namespace {

constexpr int kColumnWidthTwips = 7000;
constexpr const char* kIntervalHeader = "How often would you like to log WiFi signal strength?";

}  // namespace

void Form1::Load() {
  TrappedHandler trap(dialogs_, "Form_Load");
  trap.Step(step::load::kApplySkin, [&] { ApplySkin(); });
  form_loading_ = true;
  trap.Step(step::load::kShowTitleAndIcon, [&] {
    view_.SetCaption(Control::Form1, std::string(kProductName));
    view_.ShowApplicationIcon();
    SetAppTitle();
  });
  trap.Step(step::load::kOpenHomePage, [&] { MaybeOpenHomePage(); });
  const auto pointer_file = CursorFilePath(services_.program_folder);
  bool pointer_found = false;
  trap.Step(step::load::kFindHandPointer, [&] { pointer_found = FileExists(pointer_file); });
  if (pointer_found)
    trap.Step(step::load::kLoadHandPointer, [&] { view_.LoadHandPointer(pointer_file); });
  trap.Step(step::load::kFillIntervalList, [&] { FillIntervalList(); });
  trap.Step(step::load::kSetHistoryHeader,
            [&] { view_.SetListHeader(Control::ListView1, kHistoryHeader, kColumnWidthTwips); });
  // The log's path is known before the countdown can run, so every sample taken
  // while a start-up box is open reaches the log; a failure is told at its own
  // step below.
  const auto path_failure = trap.Attempt(
      step::load::kFindLog, [&] { log_file_path_ = quorvane::LogFilePath(services_.temp_folder); });
  // What the recorder has to say of its settings waits until the countdown runs:
  // a box left open at login must not hold up logging.
  holding_warnings_ = true;
  recorder_.Open();
  OfferRecordingChoices();
  const auto interval_failure = RestoreIntervalSelection(trap);
  RestoreSwitch(trap);
  TellRecorderSchedule();
  // Told once the countdown runs, so the box holds up no sample; nothing of the
  // window is on screen yet, so the user sees the same order.
  trap.Report(interval_failure);
  trap.Step(step::load::kSetTrayTip, [&] { tray_.SetTrayTip(std::string(kProductName)); });
  trap.Step(step::load::kPutIconInTray, [&] { tray_.SetInTray(true); });
  RestoreOptions(trap);
  RestoreMinimisedStart(trap);
  trap.Report(path_failure);
  form_loading_ = false;

  if (const auto backup = services_.settings.UnreadableBackup(); !backup.empty()) {
    dialogs_.Warn(
        "The stored settings could not be read, so Quorvane starts with its "
        "defaults. The unreadable file was kept as " +
        backup);
  }
  if (const auto moved = services_.startup_entry.Recheck(); !moved.empty()) dialogs_.Warn(moved);
  // Keys pressed right after start land on the history list, which changes
  // nothing, rather than on a switch.
  view_.SetFocus(TabOrder().front());
  ShowAfterLoad();
  if (brought_to_front_while_loading_) BringToFront();
  // Last, over the window (or its tray icon), with the countdown already running.
  ShowHeldWarnings();
}

void Form1::ApplySkin() {
  // A skin's colours could hide text from a user who chose high contrast.
  if (view_.HighContrast()) return;
  const auto skin = SkinFilePath(services_.program_folder);
  if (FileExists(skin)) view_.ApplySkin(skin);  // no skin: plain white window
}

void Form1::SetAppTitle() { dialogs_.SetAppTitle(AppTitleFor(std::string(kProductName))); }

void Form1::MaybeOpenHomePage() {
  // About one start in a hundred shows the maker's home page.
  const int seconds_since_midnight = services_.clock.Now().SecondsSinceMidnight();
  if (services_.draw(seconds_since_midnight) != 7) return;
  desktop_.OpenUrlInBackground(kHomePage, [this](const std::string& description) {
    TrappedHandler(dialogs_, "Form_Load").Report(step::load::kOpenHomePage, description);
  });
}

void Form1::FillIntervalList() {
  view_.SetListHeader(Control::ListView2, kIntervalHeader, kColumnWidthTwips);
  std::vector<std::string> rows;
  for (const auto& choice : kIntervalTable) rows.emplace_back(choice.caption);
  view_.SetListRows(Control::ListView2, rows);
}

std::optional<ErrorReport> Form1::RestoreIntervalSelection(TrappedHandler& trap) {
  int index = 0;
  auto failure = trap.Attempt(step::load::kReadIntervalChoice, [&] {
    index = TextToInteger16(GetSetting(services_.settings, setting::kOftenIndex));
  });
  if (!failure) {
    failure = trap.Attempt(step::load::kCheckIntervalChoice, [&] {
      if (!IsIntervalIndex(index)) throw AppError("Index out of bounds");
    });
  }
  // A stored choice that names no row is reported; the usual row is chosen
  // instead so that the countdown has an interval to count.
  last_interval_row_ = (failure ? kDefaultIntervalIndex : index) - 1;
  view_.SelectRow(Control::ListView2, last_interval_row_);
  return failure;
}

void Form1::RestoreSwitch(TrappedHandler& trap) {
  std::string state;
  trap.Step(step::load::kReadSwitch,
            [&] { state = GetSetting(services_.settings, setting::kStartStopState); });
  if (state == kOff) {
    button5_caption_ = "Turn On Automatic Log";
    countdown_.StartOff();
  } else {
    // "On", and anything unknown, which would otherwise leave a switch that
    // cannot be switched.
    button5_caption_ = "Turn Off Automatic Log";
    countdown_.TurnOn();
  }
  view_.SetCaption(Control::PushButton5, button5_caption_);
  ShowCountdown();
  UpdateTimer();
}

void Form1::RestoreOptions(TrappedHandler& trap) {
  trap.Step(step::load::kRestoreStartAtLogin, [&] {
    bool starts_at_login = GetSetting(services_.settings, setting::kWindowsStartup) == kOn;
    // A store that was set aside forgot the choice, but the entry that starts the
    // program at login still knows it: the box and the store follow the entry.
    if (!services_.settings.UnreadableBackup().empty()) {
      starts_at_login = services_.startup_entry.Exists();
      Save(setting::kWindowsStartup, starts_at_login ? kOn : kOff);
    }
    SetCheck(Control::Check4, starts_at_login);
  });
  trap.Step(step::load::kRestoreStartInTray, [&] {
    SetCheck(Control::Check8, GetSetting(services_.settings, setting::kMinimized) == kOn);
  });
  trap.Step(step::load::kRestoreWirelessTool, [&] {
    SetOption(Control::Option1, TextToBoolean(GetSetting(services_.settings, setting::kOption1)));
  });
  trap.Step(step::load::kRestoreSignalStrength, [&] {
    SetOption(Control::Option2, TextToBoolean(GetSetting(services_.settings, setting::kOption2)));
  });
  methods_restored_ = true;
}

void Form1::RestoreMinimisedStart(TrappedHandler& trap) {
  bool startup = false;
  trap.Step(step::load::kReadStartAtLogin, [&] { startup = view_.IsChecked(Control::Check4); });
  if (!startup) {
    trap.Step(step::load::kHideStartInTray, [&] { view_.SetVisible(Control::Check8, false); });
    return;
  }
  trap.Step(step::load::kShowStartInTray, [&] { view_.SetVisible(Control::Check8, true); });
  // Only when both start options are ticked does the window start in the tray.
  trap.Step(step::load::kReadStartInTray,
            [&] { start_minimised_ = view_.IsChecked(Control::Check8); });
}

}  // namespace quorvane
