#pragma once

#include <QCursor>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/StartupEntry.h"
#include "sampling/StatusSampler.h"
#include "schedule/Countdown.h"
#include "settings/Settings.h"
#include "ui/Desktop.h"
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
class HistoryView;
class cSysTray;

// Draws a whole number from 1 to 100 from a generator seeded with `seed`.
using DrawFrom1To100 = std::function<int(int seed)>;
int DrawWithStandardGenerator(int seed);

struct Form1Services {
  StatusSampler& sampler;
  SettingsStore& settings;
  StartupEntry& startup_entry;
  Dialogs& dialogs;
  Desktop& desktop;
  const Clock& clock;
  std::filesystem::path temp_folder;
  std::filesystem::path program_folder;  // where the skin and the hand pointer may lie
  DrawFrom1To100 draw = DrawWithStandardGenerator;
};

inline constexpr const char* kHomePage = "https://brindlewick.example/";
inline constexpr const char* kContactPage = "https://brindlewick.example/contact/";

// The main window: the history and interval lists, the countdown, the switches and
// the log commands. Its handlers carry the names of the controls they serve.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(Form1Services services, QWidget* parent = nullptr);
  ~Form1() override;

  // The start-up sequence: restores the stored choices into the controls.
  void Form_Load();
  // Shows the window after start-up, or hides it straight into the tray when
  // both start options say so.
  void ShowAfterLoad();
  // One tick of the one-second timer Timer1; tests call it to drive the countdown.
  void Timer1_Timer();
  // Shows the window in front of the others, also out of the tray.
  void BringToFront() { cSysTray1_MouseUp(); }

  const std::filesystem::path& LogFilePath() const { return log_file_path_; }
  bool FormLoading() const { return form_loading_; }
  const Countdown& countdown() const { return countdown_; }
  HistoryModel& history() { return *history_; }
  bool sample_under_way() const;

  // Pointer modes of the window: the default arrow, the busy pointer, the hand.
  enum PointerMode { kDefaultPointer = 0, kBusyPointer = 11, kHandPointer = 99 };
  int pointer_mode() const { return pointer_mode_; }
  // The hand pointer loaded from beside the program, if any.
  const std::optional<QCursor>& custom_pointer() const { return custom_pointer_; }
  bool MinimizedToTray() const { return minimized_to_tray_; }

  // The text of the balloon shown when the window first goes into the tray.
  static const char* const kTrayBalloonText;
  // The controls, by the names the program has always used for them.
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QCheckBox* Check4 = nullptr;
  QCheckBox* Check8 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  HistoryView* ListView1 = nullptr;  // the history
  QTreeView* ListView2 = nullptr;    // the intervals
  QPushButton* PushButton1 = nullptr;
  QPushButton* PushButton2 = nullptr;
  QPushButton* PushButton3 = nullptr;
  QPushButton* PushButton5 = nullptr;
  QPushButton* PushButton6 = nullptr;
  QPushButton* PushButton11 = nullptr;
  QPushButton* PushButton12 = nullptr;
  QTimer* Timer1 = nullptr;
  cSysTray* cSysTray1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class SampleOrigin { kTimer, kLogNow };

  // Form1Layout.cpp
  void CreateControls();
  void ConnectControls();

  // Form1Appearance.cpp
  void ApplySkin();
  void LoadCustomPointer();
  void TrackPointer();
  void OnPointerMoved(QWidget* over);

  // Form1Tray.cpp
  void Form_Resize();
  void cSysTray1_MouseUp();
  void Form_QueryUnload();
  void Form_Unload();

  // Form1Commands.cpp
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton12_Click();
  void PushButton3_Click();
  void PushButton11_Click();

  // Form1Load.cpp
  void SetAppTitle();
  void MaybeOpenHomePage();
  void FillIntervalList();
  void RestoreIntervalSelection(TrappedHandler& trap);
  void RestoreSwitch(TrappedHandler& trap);
  void RestoreOptions(TrappedHandler& trap);
  void RestoreMinimisedStart(TrappedHandler& trap);
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
  std::optional<QCursor> custom_pointer_;
  bool minimized_to_tray_ = false;
  bool start_minimised_ = false;
  bool closing_ = false;
  bool countdown_shown_ = false;
  int last_interval_row_ = -1;
  std::deque<SampleOrigin> samples_waiting_;
  SampleOrigin sample_running_ = SampleOrigin::kTimer;
};

}  // namespace quorvane
