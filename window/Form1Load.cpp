// The start-up sequence of the main window.
#include "base/ProductName.h"
#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "sampling/HistoryLog.h"
#include "schedule/IntervalTable.h"
#include "window/AppTitle.h"
#include "window/Form1.h"
#include "window/Skin.h"

namespace quorvane {
namespace {

constexpr int kColumnWidthTwips = 7000;
constexpr const char* kIntervalHeader = "How often would you like to log WiFi signal strength?";

}  // namespace

void Form1::Form_Load() {
  TrappedHandler trap(dialogs_, "Form_Load");
  trap.Step(100, [&] { ApplySkin(); });
  form_loading_ = true;
  trap.Step(104, [&] {
    view_.SetCaption(Control::Form1, std::string(kProductName));
    view_.ShowApplicationIcon();
    SetAppTitle();
  });
  trap.Step(106, [&] { MaybeOpenHomePage(); });
  const auto pointer_file = CursorFilePath(services_.program_folder);
  bool pointer_found = false;
  trap.Step(126, [&] { pointer_found = FileExists(pointer_file); });
  if (pointer_found) trap.Step(128, [&] { view_.LoadHandPointer(pointer_file); });
  trap.Step(130, [&] { FillIntervalList(); });
  trap.Step(158,
            [&] { view_.SetListHeader(Control::ListView1, kHistoryHeader, kColumnWidthTwips); });
  // The log's path is known before the countdown can run, so every sample taken
  // while a start-up box is open reaches the log; a failure is told at its own
  // step below.
  const auto path_failure =
      trap.Attempt(204, [&] { log_file_path_ = quorvane::LogFilePath(services_.temp_folder); });
  OpenMetricsFolder();
  OpenJournal();
  OpenNetworkProbes();
  OpenNotifications();
  const auto interval_failure = RestoreIntervalSelection(trap);
  RestoreSwitch(trap);
  // Told once the countdown runs, so the box holds up no sample; nothing of the
  // window is on screen yet, so the user sees the same order.
  trap.Report(interval_failure);
  trap.Step(182, [&] { tray_.SetTrayTip(std::string(kProductName)); });
  trap.Step(184, [&] { tray_.SetInTray(true); });
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
    TrappedHandler(dialogs_, "Form_Load").Report(106, description);
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
  auto failure = trap.Attempt(
      162, [&] { index = TextToInteger16(GetSetting(services_.settings, setting::kOftenIndex)); });
  if (!failure) {
    failure = trap.Attempt(164, [&] {
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
  trap.Step(166, [&] { state = GetSetting(services_.settings, setting::kStartStopState); });
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
  trap.Step(186, [&] {
    bool starts_at_login = GetSetting(services_.settings, setting::kWindowsStartup) == kOn;
    // A store that was set aside forgot the choice, but the entry that starts the
    // program at login still knows it: the box and the store follow the entry.
    if (!services_.settings.UnreadableBackup().empty()) {
      starts_at_login = services_.startup_entry.Exists();
      Save(setting::kWindowsStartup, starts_at_login ? kOn : kOff);
    }
    SetCheck(Control::Check4, starts_at_login);
  });
  trap.Step(188, [&] {
    SetCheck(Control::Check8, GetSetting(services_.settings, setting::kMinimized) == kOn);
  });
  trap.Step(190, [&] {
    SetOption(Control::Option1, TextToBoolean(GetSetting(services_.settings, setting::kOption1)));
  });
  trap.Step(192, [&] {
    SetOption(Control::Option2, TextToBoolean(GetSetting(services_.settings, setting::kOption2)));
  });
  methods_restored_ = true;
}

void Form1::RestoreMinimisedStart(TrappedHandler& trap) {
  bool startup = false;
  trap.Step(194, [&] { startup = view_.IsChecked(Control::Check4); });
  if (!startup) {
    trap.Step(202, [&] { view_.SetVisible(Control::Check8, false); });
    return;
  }
  trap.Step(196, [&] { view_.SetVisible(Control::Check8, true); });
  // Only when both start options are ticked does the window start in the tray.
  trap.Step(200, [&] { start_minimised_ = view_.IsChecked(Control::Check8); });
}

}  // namespace quorvane
