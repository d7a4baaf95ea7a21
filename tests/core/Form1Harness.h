#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/Form1.h"
#include "ui/HistoryModel.h"
#include "ui/HistoryView.h"

namespace quorvane::testing {

// Holds a reading inside the fake tool until the test lets it go.
class Gate {
 public:
  void Wait() {
    std::unique_lock lock(mutex_);
    entered_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  bool entered() {
    std::lock_guard lock(mutex_);
    return entered_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  bool entered_ = false;
};

// A real Form1 on fake services: the wireless tool prints `tool.output`, the
// settings live in memory and message boxes are recorded.
struct Form1Harness {
  TempDir temp{"temp"};
  TempDir program_folder{"program"};
  FakeClock clock;
  FakeToolRunner tool;
  FakeSignalSource signal_source;
  FakeConnectivity connectivity;
  FakeSettingsStore settings;
  FakeStartupEntry startup_entry;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  int drawn = 50;  // what the one-in-a-hundred draw gives
  std::vector<int> seeds;
  StatusSampler sampler{{clock, tool,
                         WirelessTool{{"nmcli", {}}, WirelessOutputFormat::kNmcliTerse},
                         signal_source, connectivity, temp.path()}};
  std::unique_ptr<Form1> form;

  Form1Harness() { tool.output = " :70\n"; }

  Form1& Load() {
    form = std::make_unique<Form1>(Form1Services{sampler, settings, startup_entry, dialogs, desktop,
                                                 clock, temp.path(), program_folder.path(),
                                                 [this](int seed) {
                                                   seeds.push_back(seed);
                                                   return drawn;
                                                 }});
    form->Form_Load();
    form->ShowAfterLoad();
    return *form;
  }

  std::string Log() const { return ReadFile(temp / "Quorvane.txt"); }
  int HistoryRows() { return form->history().rowCount(); }
  QString FrameCaption() const { return form->Frame1->title(); }

  // Ticks the countdown n times, as the one-second timer would.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) form->Timer1_Timer();
  }
  void WaitForReading() { QTRY_VERIFY_WITH_TIMEOUT(!form->sample_under_way(), 5000); }

  void ClickIntervalRow(int row) {
    QTreeView* list = form->ListView2;
    list->scrollTo(list->model()->index(row, 0));
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCoreApplication::processEvents();
  }
  int SelectedIntervalRow() const {
    const auto rows = form->ListView2->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
  }
};

}  // namespace quorvane::testing
