#pragma once

#include <QWidget>
#include <cstdint>
#include <deque>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/StartupEntry.h"
#include "sampling/StatusSampler.h"
#include "schedule/Countdown.h"
#include "settings/Settings.h"
#include "ui/Dialogs.h"

class QCheckBox;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTimer;
class QTreeView;

namespace quorvane {

class BackgroundSampler;
class HistoryModel;

struct Form1Services {
  StatusSampler& sampler;
  SettingsStore& settings;
  StartupEntry& startup_entry;
  Dialogs& dialogs;
  const Clock& clock;
  std::filesystem::path temp_folder;
};

// The main window: the history and interval lists, the countdown, the switches and
// the log commands. Its handlers carry the names of the controls they serve.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(Form1Services services, QWidget* parent = nullptr);
  ~Form1() override;

  // The start-up sequence: restores the stored choices into the controls.
  void Form_Load();
  // One tick of the one-second timer Timer1; tests call it to drive the countdown.
  void Timer1_Timer();

  const std::filesystem::path& LogFilePath() const { return log_file_path_; }
  bool FormLoading() const { return form_loading_; }
  const Countdown& countdown() const { return countdown_; }
  HistoryModel& history() { return *history_; }
  bool sample_under_way() const;

  // Pointer modes of the window: the default arrow, the busy pointer, the hand.
  enum PointerMode { kDefaultPointer = 0, kBusyPointer = 11, kHandPointer = 99 };
  int pointer_mode() const { return pointer_mode_; }

  // The controls, by the names the program has always used for them.
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QCheckBox* Check4 = nullptr;
  QCheckBox* Check8 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QTreeView* ListView1 = nullptr;  // the history
  QTreeView* ListView2 = nullptr;  // the intervals
  QPushButton* PushButton1 = nullptr;
  QPushButton* PushButton2 = nullptr;
  QPushButton* PushButton3 = nullptr;
  QPushButton* PushButton5 = nullptr;
  QPushButton* PushButton6 = nullptr;
  QPushButton* PushButton11 = nullptr;
  QPushButton* PushButton12 = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  enum class SampleOrigin { kTimer, kLogNow };

  // Form1Layout.cpp
  void CreateControls();
  void ConnectControls();

  // Form1Load.cpp
  void FillIntervalList();
  void RestoreIntervalSelection(TrappedHandler& trap);
  void RestoreSwitch(TrappedHandler& trap);
  void RestoreOptions(TrappedHandler& trap);
  void SetOptionValue(QRadioButton* option, bool value);

  // Form1.cpp
  void Check4_Click();
  void Check8_Click();
  void Option1_Click();
  void Option2_Click();
  void ListView2_Click();
  void PushButton5_Click();
  void PushButton6_Click();

  std::int32_t IntervalSeconds() const;
  int SelectedIntervalRow() const;
  void SelectIntervalRow(int row);
  void ShowCountdown();
  void UpdateTimer();
  void SetPointerMode(int mode);
  void Save(const SettingKey& key, std::string_view value);

  void RequestSample(SampleOrigin origin);
  void StartNextSample();
  void FinishSample(bool read, const std::string& text);

  QList<QWidget*> tab_order_;
  Form1Services services_;
  BackgroundSampler* background_sampler_ = nullptr;
  HistoryModel* history_ = nullptr;
  QStandardItemModel* intervals_ = nullptr;
  Countdown countdown_;
  std::filesystem::path log_file_path_;
  bool form_loading_ = false;
  int pointer_mode_ = kDefaultPointer;
  int last_interval_row_ = -1;
  std::deque<SampleOrigin> samples_waiting_;
  SampleOrigin sample_running_ = SampleOrigin::kTimer;
};

}  // namespace quorvane
