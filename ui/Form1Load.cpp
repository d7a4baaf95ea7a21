// The start-up sequence of the main window.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTreeView>

#include "platform/AppError.h"
#include "sampling/HistoryLog.h"
#include "schedule/IntervalTable.h"
#include "ui/AppTitle.h"
#include "ui/Form1.h"
#include "ui/HistoryModel.h"
#include "ui/HistoryView.h"
#include "ui/Icons.h"
#include "ui/Twips.h"
#include "ui/cSysTray.h"

namespace quorvane {

void Form1::Form_Load() {
  TrappedHandler trap(services_.dialogs, "Form_Load");
  trap.Step(100, [&] { ApplySkin(); });
  form_loading_ = true;
  trap.Step(104, [&] {
    setWindowTitle(QString::fromUtf8(kProductName.data(), kProductName.size()));
    setWindowIcon(ApplicationIcon());
    SetAppTitle();
  });
  trap.Step(106, [&] { MaybeOpenHomePage(); });
  trap.Step(128, [&] { LoadCustomPointer(); });
  trap.Step(130, [&] { FillIntervalList(); });
  trap.Step(158, [&] { ListView1->header()->resizeSection(0, TwipsToPixels(7000)); });
  RestoreIntervalSelection(trap);
  RestoreSwitch(trap);
  trap.Step(182, [&] {
    cSysTray1->SetTrayIcon(TrayPicture());
    cSysTray1->SetTrayTip(QStringLiteral("Quorvane"));
  });
  trap.Step(184, [&] { cSysTray1->SetInTray(true); });
  RestoreOptions(trap);
  RestoreMinimisedStart(trap);
  trap.Step(204, [&] { log_file_path_ = quorvane::LogFilePath(services_.temp_folder); });
  form_loading_ = false;

  if (const auto backup = services_.settings.UnreadableBackup(); !backup.empty()) {
    services_.dialogs.Warn(
        "The stored settings could not be read, so Quorvane starts with its "
        "defaults. The unreadable file was kept as " +
        backup);
  }
}

void Form1::SetAppTitle() {
  QApplication::setApplicationDisplayName(
      AppTitleFor(QString::fromUtf8(kProductName.data(), kProductName.size())));
}

void Form1::MaybeOpenHomePage() {
  // About one start in a hundred shows the maker's home page.
  const int seconds_since_midnight = services_.clock.Now().SecondsSinceMidnight();
  if (services_.draw(seconds_since_midnight) == 7)
    services_.desktop.OpenUrl(QString::fromLatin1(kHomePage));
}

void Form1::FillIntervalList() {
  intervals_->setHorizontalHeaderLabels(
      {QStringLiteral("How often would you like to log WiFi signal strength?")});
  ListView2->header()->resizeSection(0, TwipsToPixels(7000));
  for (const auto& choice : kIntervalTable) {
    intervals_->appendRow(new QStandardItem(
        QString::fromUtf8(choice.caption.data(), static_cast<int>(choice.caption.size()))));
  }
}

void Form1::RestoreIntervalSelection(TrappedHandler& trap) {
  int index = 0;
  const bool converted = trap.Step(
      162, [&] { index = TextToInteger16(GetSetting(services_.settings, setting::kOftenIndex)); });
  bool valid = false;
  if (converted) {
    valid = trap.Step(164, [&] {
      if (!IsIntervalIndex(index)) throw AppError("Index out of bounds");
    });
  }
  // A stored choice that names no row was reported; the usual row is chosen
  // instead so that the countdown has an interval to count.
  SelectIntervalRow((valid ? index : kDefaultIntervalIndex) - 1);
}

void Form1::RestoreSwitch(TrappedHandler& trap) {
  std::string state;
  trap.Step(166, [&] { state = GetSetting(services_.settings, setting::kStartStopState); });
  if (state == kOff) {
    PushButton5->setText(QStringLiteral("Turn On Automatic Log"));
    countdown_.StartOff();
  } else {
    // "On", and anything unknown, which would otherwise leave a switch that
    // cannot be switched.
    PushButton5->setText(QStringLiteral("Turn Off Automatic Log"));
    countdown_.TurnOn();
  }
  ShowCountdown();
  UpdateTimer();
}

void Form1::SetOptionValue(QRadioButton* option, bool value) {
  if (value) {
    option->setChecked(true);  // clears the other button
    return;
  }
  // Both buttons may be stored as false; exclusivity would refuse to clear one.
  option->setAutoExclusive(false);
  option->setChecked(false);
  option->setAutoExclusive(true);
}

void Form1::RestoreOptions(TrappedHandler& trap) {
  trap.Step(186, [&] {
    Check4->setChecked(GetSetting(services_.settings, setting::kWindowsStartup) == kOn);
  });
  trap.Step(
      188, [&] { Check8->setChecked(GetSetting(services_.settings, setting::kMinimized) == kOn); });
  trap.Step(190, [&] {
    SetOptionValue(Option1, TextToBoolean(GetSetting(services_.settings, setting::kOption1)));
  });
  trap.Step(192, [&] {
    SetOptionValue(Option2, TextToBoolean(GetSetting(services_.settings, setting::kOption2)));
  });
}

void Form1::RestoreMinimisedStart(TrappedHandler& trap) {
  bool startup = false;
  trap.Step(194, [&] { startup = Check4->isChecked(); });
  if (!startup) {
    trap.Step(202, [&] { Check8->setVisible(false); });
    return;
  }
  trap.Step(196, [&] { Check8->setVisible(true); });
  // Only when both start options are ticked does the window start in the tray.
  trap.Step(200, [&] { start_minimised_ = Check8->isChecked(); });
}

}  // namespace quorvane
