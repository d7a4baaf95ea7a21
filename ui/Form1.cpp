#include "ui/Form1.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <random>

#include "platform/AppError.h"
#include "schedule/IntervalTable.h"
#include "ui/BackgroundSampler.h"
#include "ui/HistoryModel.h"
#include "ui/HistoryView.h"
#include "ui/cSysTray.h"

namespace quorvane {
namespace {

constexpr const char* kTurnOn = "Turn On Automatic Log";
constexpr const char* kTurnOff = "Turn Off Automatic Log";

}  // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  history_ =
      new HistoryModel(services_.clock, QStringLiteral(" WiFi Signal Strength Status"), this);
  background_sampler_ = new BackgroundSampler(services_.sampler, this);
  cSysTray1 = new cSysTray(this);
  cSysTray1->setObjectName(QStringLiteral("cSysTray1"));
  CreateControls();
  ConnectControls();
  TrackPointer();
}

Form1::~Form1() = default;

int DrawWithStandardGenerator(int seed) {
  std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(seed) + 1);
  return std::uniform_int_distribution<int>(1, 100)(generator);
}

bool Form1::sample_under_way() const { return background_sampler_->busy(); }

void Form1::ConnectControls() {
  connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });
  connect(Check8, &QCheckBox::toggled, this, [this] { Check8_Click(); });
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option1_Click();
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option2_Click();
  });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  connect(PushButton5, &QPushButton::clicked, this, [this] { PushButton5_Click(); });
  connect(PushButton6, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
  connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
  connect(PushButton2, &QPushButton::clicked, this, [this] { PushButton2_Click(); });
  connect(PushButton12, &QPushButton::clicked, this, [this] { PushButton12_Click(); });
  connect(PushButton3, &QPushButton::clicked, this, [this] { PushButton3_Click(); });
  connect(PushButton11, &QPushButton::clicked, this, [this] { PushButton11_Click(); });
  connect(cSysTray1, &cSysTray::MouseUp, this, [this] { cSysTray1_MouseUp(); });
  connect(background_sampler_, &BackgroundSampler::ReadingSucceeded, this,
          [this](const std::string& value) { FinishSample(true, value); });
  connect(background_sampler_, &BackgroundSampler::ReadingFailed, this,
          [this](const std::string& description) { FinishSample(false, description); });

  // A click on the interval list: any mouse release over it, on a row or not.
  ListView2->viewport()->installEventFilter(this);
  // The interval list never loses its selection; a click beside the rows keeps it.
  connect(ListView2->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    const int row = SelectedIntervalRow();
    if (row >= 0)
      last_interval_row_ = row;
    else if (last_interval_row_ >= 0)
      SelectIntervalRow(last_interval_row_);
  });
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    OnPointerMoved(under ? under : widget);
  }
  if (watched == ListView2->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // After the view has handled the press and release and settled its selection.
    QTimer::singleShot(0, this, [this] { ListView2_Click(); });
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::Save(const SettingKey& key, std::string_view value) {
  try {
    SaveSetting(services_.settings, key, value);
  } catch (const AppError& error) {
    services_.dialogs.Warn(std::string("Your choice could not be remembered: ") + error.what());
  }
}

// --- Start options and signal method -------------------------------------------

void Form1::Check4_Click() {
  if (form_loading_) return;
  if (Check4->isChecked()) {
    Check8->setVisible(true);
    Save(setting::kWindowsStartup, kOn);
    try {
      services_.startup_entry.Add();
    } catch (const AppError& error) {
      services_.dialogs.Warn(std::string("Quorvane could not be set to start at login: ") +
                             error.what());
    }
  } else {
    Check8->setChecked(false);  // stores "Off" through Check8_Click when it was ticked
    Check8->setVisible(false);
    Save(setting::kWindowsStartup, kOff);
    services_.startup_entry.Remove();
  }
}

void Form1::Check8_Click() { Save(setting::kMinimized, Check8->isChecked() ? kOn : kOff); }

void Form1::Option1_Click() {
  Save(setting::kOption1, BooleanText(Option1->isChecked()));
  Save(setting::kOption2, BooleanText(Option2->isChecked()));
}

void Form1::Option2_Click() { Option1_Click(); }

// --- Interval list ---------------------------------------------------------------

int Form1::SelectedIntervalRow() const {
  const auto rows = ListView2->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void Form1::SelectIntervalRow(int row) {
  ListView2->selectionModel()->select(intervals_->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect);
  ListView2->setCurrentIndex(intervals_->index(row, 0));
}

std::int32_t Form1::IntervalSeconds() const {
  const int row = SelectedIntervalRow();
  if (row < 0) throw AppError("Object variable or With block variable not set");
  return quorvane::IntervalSeconds(intervals_->item(row)->text().toStdString());
}

void Form1::ListView2_Click() {
  const int row = SelectedIntervalRow();
  if (row < 0) return;
  Save(setting::kOftenIndex, std::to_string(row + 1));
  countdown_.Restart(IntervalSeconds());
}

// --- Countdown and switch --------------------------------------------------------

void Form1::ShowCountdown() {
  // A window hidden in the tray shows nothing; it catches up when it is shown.
  countdown_shown_ = isVisible();
  if (!countdown_shown_) return;
  const auto& display = countdown_.display();
  const QString caption = QString::fromStdString(display.frame_caption);
  if (Frame1->title() != caption) Frame1->setTitle(caption);
  // The bar would repaint itself at once for each change; held back, both are
  // painted together with the caption when the event loop next paints.
  ProgressBar1->setUpdatesEnabled(false);
  // A range of 0..0 would turn the bar into a busy indicator.
  ProgressBar1->setMaximum(std::max(1, display.progress_maximum));
  ProgressBar1->setValue(std::min(display.progress_value, ProgressBar1->maximum()));
  ProgressBar1->setUpdatesEnabled(true);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!countdown_shown_) ShowCountdown();
}

void Form1::UpdateTimer() {
  const bool tick = countdown_.ticking() && !closing_;
  if (tick && !Timer1->isActive()) Timer1->start();
  if (!tick && Timer1->isActive()) Timer1->stop();
}

void Form1::Timer1_Timer() {
  TrappedHandler trap(services_.dialogs, "Timer1");
  std::int32_t seconds_per_log = countdown_.seconds_per_log();
  trap.Step(102, [&] { seconds_per_log = IntervalSeconds(); });
  const auto action = countdown_.Tick(seconds_per_log);
  ShowCountdown();
  UpdateTimer();
  if (action == Countdown::Action::kTakeSample) RequestSample(SampleOrigin::kTimer);
}

void Form1::PushButton5_Click() {
  TrappedHandler trap(services_.dialogs, "PushButton5_Click");
  const QString caption = PushButton5->text();
  if (caption == QLatin1String(kTurnOn)) {
    PushButton5->setText(QLatin1String(kTurnOff));
    countdown_.TurnOn();
    UpdateTimer();
    trap.Step(106, [&] { SaveSetting(services_.settings, setting::kStartStopState, kOn); });
  } else if (caption == QLatin1String(kTurnOff)) {
    PushButton5->setText(QLatin1String(kTurnOn));
    countdown_.TurnOff();
    UpdateTimer();
    trap.Step(114, [&] { SaveSetting(services_.settings, setting::kStartStopState, kOff); });
  }
}

void Form1::PushButton6_Click() {
  SetPointerMode(kBusyPointer);
  RequestSample(SampleOrigin::kLogNow);
}

// --- Samples ---------------------------------------------------------------------

void Form1::RequestSample(SampleOrigin origin) {
  // One reading at a time; a request made meanwhile runs right after it.
  samples_waiting_.push_back(origin);
  StartNextSample();
}

void Form1::StartNextSample() {
  if (background_sampler_->busy() || samples_waiting_.empty()) return;
  sample_running_ = samples_waiting_.front();
  samples_waiting_.pop_front();
  background_sampler_->Start(Option1->isChecked() ? SignalMethod::kWirelessTool
                                                  : SignalMethod::kSignalStrength);
}

void Form1::FinishSample(bool read, const std::string& text) {
  const bool automatic = sample_running_ == SampleOrigin::kTimer;
  TrappedHandler trap(services_.dialogs, automatic ? "Timer1" : "PushButton6_Click");
  const int line = automatic ? 128 : 106;
  if (read) {
    trap.Step(line, [&] { services_.sampler.Record(text, *history_, log_file_path_); });
  } else {
    trap.Report(line, text);
  }
  if (automatic) {
    countdown_.SampleFinished();
    ShowCountdown();
    UpdateTimer();
  } else {
    SetPointerMode(kDefaultPointer);
    countdown_.ManualSampleFinished();  // the bar empties; its text stays "Progress Bar"
    ShowCountdown();
  }
  StartNextSample();
}

}  // namespace quorvane
