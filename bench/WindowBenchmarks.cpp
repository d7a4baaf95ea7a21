// In-process figures of the window: the history list at a million lines, the
// user-interface thread while the wireless tool takes its time or a report is
// made, and the copy of a large log, each beside its reference.
#include <malloc.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <fstream>
#include <functional>
#include <thread>

#include <benchmark/benchmark.h>

#include "platform/ProcessToolRunner.h"
#include "platform/SystemClock.h"
#include "platform/WirelessTool.h"
#include "probes/ProbeRound.h"
#include "report/Report.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeNetworkProbe.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/qt/Form1Window.h"
#include "ui/qt/HistoryListModel.h"
#include "ui/qt/HistoryView.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtMessageLoop.h"
#include "ui/qt/QtTrayIcon.h"
#include "window/Form1.h"

namespace quorvane {
namespace {

using testing::TempDir;
using testing::WriteFile;

constexpr int kMillion = 1000000;
constexpr int kTimingWindow = 10000;  // appends timed at the start and at the end

// Heap in use, the large blocks the allocator maps on their own included.
std::size_t HeapInUse() {
  const auto info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

std::size_t ResidentKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  std::size_t value = 0;
  while (status >> name) {
    if (name == field) {
      status >> value;
      return value;
    }
    status.ignore(1 << 20, '\n');
  }
  return 0;
}

HistoryEntry Entry(int i) {
  LocalDateTime when{2026, 12, 7, (i / 3600) % 24, (i / 60) % 60, i % 60};
  const std::string value = std::to_string(40 + i % 60) + "%";
  return {when, value, "12/07/26 14:03:11 WiFi Signal Strength is " + value};
}

// Adds a million lines to a list and reports memory and append time. With
// `shown_while_filling` false the list is shown only at the end: a shown
// QListWidget lays all its items out again at every batch, which at a million
// lines takes hours, so the reference is measured in its most favourable way.
template <typename Append>
void MillionLines(benchmark::State& state, QWidget& view, bool shown_while_filling, Append append) {
  if (shown_while_filling) view.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    QElapsedTimer timer;
    double first_us = 0;
    double last_us = 0;
    for (int i = 0; i < kMillion; ++i) {
      if (i == 0 || i == kMillion - kTimingWindow) timer.start();
      append(i);
      if (i % 1000 == 999) QCoreApplication::processEvents();  // let the view catch up
      if (i == kTimingWindow - 1) first_us = timer.nsecsElapsed() / 1e3 / kTimingWindow;
    }
    last_us = timer.nsecsElapsed() / 1e3 / kTimingWindow;
    view.show();
    QCoreApplication::processEvents();
    state.counters["bytes_per_line"] = double(HeapInUse() - before) / kMillion;
    state.counters["first_append_us"] = first_us;
    state.counters["last_append_us"] = last_us;
  }
}

// The history list as the window has it: the store, its model and the view.
struct HistoryList {
  SystemClock clock;
  HistoryStore store{clock};
  HistoryListModel model{store};
  HistoryView view;

  HistoryList() {
    model.SetHeader(QString::fromUtf8(kHistoryHeader));
    view.resize(520, 169);
    view.setModel(&model);
  }
};

void HistoryListMillionLines(benchmark::State& state) {
  HistoryList list;
  MillionLines(state, list.view, true, [&](int i) { list.store.Add(Entry(i)); });
}
BENCHMARK(HistoryListMillionLines)->Iterations(1)->Unit(benchmark::kMillisecond);

void ListWidgetMillionLines(benchmark::State& state) {
  QListWidget view;
  view.setUniformItemSizes(true);
  view.resize(520, 169);
  MillionLines(state, view, false,
               [&](int i) { view.addItem(QString::fromStdString(Entry(i).line)); });
}
BENCHMARK(ListWidgetMillionLines)->Iterations(1)->Unit(benchmark::kMillisecond);

void ScrollToEndAndPaint(benchmark::State& state) {
  HistoryList list;
  for (int i = 0; i < state.range(0); ++i) list.store.Add(Entry(i));
  HistoryView& view = list.view;
  view.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    view.verticalScrollBar()->setValue(0);
    view.scrollToBottom();
    benchmark::DoNotOptimize(view.viewport()->grab());
  }
}
BENCHMARK(ScrollToEndAndPaint)->Arg(1000)->Arg(kMillion)->Unit(benchmark::kMicrosecond);

// Everything a window needs, with the real tool runner and a fake nmcli that
// answers after `tool_seconds` (three unless told); `before_load` may set the
// window up further before its start-up.
struct SlowToolWindow {
  TempDir bin{"bin"};
  TempDir temp{"temp"};
  SystemClock clock;
  ProcessToolRunner runner;
  testing::FakeSignalSource source;
  testing::FakeConnectivity connectivity;
  testing::FakeSettingsStore settings;
  testing::FakeStartupEntry startup_entry;
  testing::FakeDialogs dialogs;
  QtDesktop desktop;
  QtMessageLoop loop;
  StatusSampler sampler{{clock, runner, SystemWirelessTool(), source, connectivity, temp.path()}};
  HistoryStore history{clock};
  Form1Window window{history};
  QtTrayIcon tray;
  std::unique_ptr<Form1> form;

  explicit SlowToolWindow(int tool_seconds = 3,
                          const std::function<void(SlowToolWindow&)>& before_load = {},
                          std::shared_ptr<NetworkProbe> network_probe = nullptr) {
    WriteFile(bin / "nmcli",
              "#!/bin/sh\nsleep " + std::to_string(tool_seconds) + "\necho '*:64'\n");
    ::chmod((bin / "nmcli").c_str(), 0755);
    ::setenv("PATH", (bin.path().string() + ":" + std::getenv("PATH")).c_str(), 1);
    settings.values["StartStopState"] = "Off";
    Form1Services services{sampler, settings, startup_entry, clock, temp.path(), temp.path()};
    services.recording.network_probe = std::move(network_probe);
    form = std::make_unique<Form1>(std::move(services),
                                   Form1Views{window, tray, dialogs, desktop, loop}, history);
    window.Attach(*form);
    tray.Attach(*form);
    if (before_load) before_load(*this);
    form->Load();  // shows the window
  }

  void Click(Control button) { static_cast<QPushButton*>(window.ControlWidget(button))->click(); }
};

// How late a 10 ms timer on the user-interface thread fires at worst while
// `work` runs.
template <typename Work>
double LongestStallMs(Work work) {
  QTimer ticker;
  QElapsedTimer since;
  double longest = 0;
  qint64 expected = 10;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, double(since.elapsed() - expected));
    expected = since.elapsed() + 10;
  });
  since.start();
  ticker.start(10);
  work();
  return longest;
}

void LogNowWhileTheToolTakesThreeSeconds(benchmark::State& state) {
  SlowToolWindow window;
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      window.Click(Control::PushButton6);
      QElapsedTimer waited;
      waited.start();
      while (window.form->sample_under_way() || waited.elapsed() < 3200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
}
BENCHMARK(LogNowWhileTheToolTakesThreeSeconds)->Iterations(1)->Unit(benchmark::kMillisecond);

void SameSampleBlockingTheWindow(benchmark::State& state) {
  SlowToolWindow window;
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      QElapsedTimer waited;
      waited.start();
      while (waited.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      window.sampler.TakeStatusSample(Method::kWirelessTool, window.history,
                                      window.form->LogFilePath());
      while (waited.elapsed() < 3400) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
}
BENCHMARK(SameSampleBlockingTheWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

// A sample every second with probes on, each round timing out after its second;
// the fake probe waits instead of sending anything. The reference runs the same
// rounds on the window's thread. Nothing is sent, so no netns is needed here.
std::shared_ptr<testing::FakeNetworkProbe> TimingOutProbe() {
  auto probe = std::make_shared<testing::FakeNetworkProbe>();
  probe->during_round = [] { std::this_thread::sleep_for(std::chrono::seconds(1)); };
  return probe;
}

void SamplesWhileProbesTimeOut(benchmark::State& state) {
  const auto probe = TimingOutProbe();
  SlowToolWindow window(
      0,
      [&](SlowToolWindow& w) {
        w.settings.values["StartStopState"] = "On";
        w.settings.values["OftenIndex"] = "1";
        w.settings.values["Network Probes"] = "On";
      },
      probe);
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      QElapsedTimer waited;
      waited.start();
      while (waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
  state.counters["samples"] = static_cast<double>(window.history.size());
}
BENCHMARK(SamplesWhileProbesTimeOut)->Iterations(1)->Unit(benchmark::kMillisecond);

void ProbesBlockingTheWindow(benchmark::State& state) {
  const auto probe = TimingOutProbe();
  SlowToolWindow window(0);
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      QElapsedTimer waited;
      waited.start();
      while (waited.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      probes::RunProbeRound(*probe, {}, std::chrono::seconds(1));
      while (waited.elapsed() < 1300) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
}
BENCHMARK(ProbesBlockingTheWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

constexpr std::size_t kLogBytes = 100u << 20;

// A log of 100 MB written once for both copy figures.
const std::filesystem::path& LargeLog() {
  static TempDir folder;
  static const std::filesystem::path log = [] {
    const auto file = folder / "Quorvane.txt";
    std::ofstream out(file, std::ios::binary);
    const std::string line = "12/07/26 14:03:11 WiFi Signal Strength is 70%\n";
    for (std::size_t written = 0; written < kLogBytes; written += line.size()) out << line;
    return file;
  }();
  return log;
}

// Peak memory above the start, in multiples of the log's size.
template <typename Work>
double PeakMemoryOfLogSizes(Work work) {
  std::ofstream("/proc/self/clear_refs") << "5";  // starts the peak afresh
  const std::size_t before = ResidentKilobytes("VmRSS:");
  work();
  const std::size_t peak = ResidentKilobytes("VmHWM:");
  return double(peak - before) * 1024 / double(std::filesystem::file_size(LargeLog()));
}

void CopyHistoryOfHundredMegabytes(benchmark::State& state) {
  SlowToolWindow window;
  std::filesystem::copy_file(LargeLog(), window.temp / "Quorvane.txt");
  for (auto _ : state) {
    state.counters["peak_memory_log_sizes"] =
        PeakMemoryOfLogSizes([&] { window.Click(Control::PushButton2); });
    state.PauseTiming();
    QApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(CopyHistoryOfHundredMegabytes)->Iterations(3)->Unit(benchmark::kMillisecond);

void ReadHundredMegabytesAlone(benchmark::State& state) {
  for (auto _ : state) {
    state.counters["peak_memory_log_sizes"] = PeakMemoryOfLogSizes([&] {
      QFile log(QString::fromStdString(LargeLog().string()));
      log.open(QIODevice::ReadOnly);
      benchmark::DoNotOptimize(log.readAll());
    });
  }
}
BENCHMARK(ReadHundredMegabytesAlone)->Iterations(3)->Unit(benchmark::kMillisecond);

// The history list's "Signal Report…" on the 100 MB log: the report is made on a
// thread of its own while the window goes on; the reference makes the same
// report on the window's thread.
struct ReportWindow : SlowToolWindow {
  ReportWindow() {
    WriteFile(bin / "xdg-open", "#!/bin/sh\nexit 0\n");  // no real browser is started
    ::chmod((bin / "xdg-open").c_str(), 0755);
    std::filesystem::copy_file(LargeLog(), temp / "Quorvane.txt");
  }
  bool ReportUnderWay() const { return !form->HistoryMenuItems().at(0).enabled; }
};

void SignalReportWhileTheWindowRuns(benchmark::State& state) {
  ReportWindow window;
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      window.form->HistoryMenuChosen(HistoryCommand::kSignalReport);
      while (window.ReportUnderWay()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
  if (!window.dialogs.silent()) state.SkipWithError(window.dialogs.warnings.at(0).c_str());
}
BENCHMARK(SignalReportWhileTheWindowRuns)->Iterations(1)->Unit(benchmark::kMillisecond);

void SignalReportBlockingTheWindow(benchmark::State& state) {
  ReportWindow window;
  for (auto _ : state) {
    state.counters["longest_stall_ms"] = LongestStallMs([&] {
      report::WriteReportFile(window.form->LogFilePath(), report::Format::kHtml, window.clock,
                              window.temp / "Quorvane-report.html");
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
  }
}
BENCHMARK(SignalReportBlockingTheWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
