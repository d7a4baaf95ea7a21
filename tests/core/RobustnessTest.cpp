// The window under odd conditions: stored values of the wrong kind, a clock that
// jumps, and a long run of samples.
#include <malloc.h>

#include <QTest>

#include "tests/widget/Form1Harness.h"

namespace quorvane::testing {

class RobustnessTest : public QObject {
  Q_OBJECT

 private slots:
  void everyStoredValueOfTheWrongKindStillStarts() {
    Form1Harness h;
    h.settings.values = {{"Windows Startup", "yes"}, {"Minimized", "1"},
                         {"Option1", "\xff\xfe"},    {"Option2", "True or False"},
                         {"OftenIndex", "2.5e9"},    {"StartStopState", "OFF"}};
    Form1& form = h.Load();
    // Each unreadable value is reported once, as the start-up step it belongs to.
    std::vector<int> lines;
    for (const auto& report : h.dialogs.errors) lines.push_back(report.line);
    QCOMPARE(lines, (std::vector<int>{162, 190, 192}));
    QVERIFY(!form.Check4->isChecked());
    QVERIFY(form.Check8->isHidden());
    QVERIFY(form.Option1->isChecked());
    QCOMPARE(h.SelectedIntervalRow(), 1);
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.LogFilePath(), h.temp / "Quorvane.txt");
  }

  void aJumpingClockNeitherBurstsNorLosesSamples() {
    Form1Harness h;
    Form1& form = h.Load();
    h.Tick(3);
    h.clock.now.hour = 2;  // back by hours
    h.Tick(2);
    h.WaitForReading();
    h.clock.now.day = 9;  // forward by days
    h.Tick(5);
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 2);
    QCOMPARE(form.history().Line(0), std::string("12/07/26 02:03:11 WiFi Signal Strength is 70%"));
    QCOMPARE(form.history().Line(1), std::string("12/09/26 02:03:11 WiFi Signal Strength is 70%"));
  }

  void aHundredThousandSamplesCostOnlyTheirLines() {
    Form1Harness h;
    h.settings.values = {{"OftenIndex", "1"}};  // a sample on every tick
    Form1& form = h.Load();
    form.hide();                   // as in the tray, where such runs spend their time
    constexpr int kWarmUp = 1000;  // one-time allocations of a first sample are not growth
    constexpr int kSamples = 100000;
    const auto sample = [&](int i) {
      h.clock.now.second = i % 60;
      form.Timer1_Timer();
      while (form.sample_under_way())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      h.tool.commands.clear();  // the fake's own record of calls is not the program's
    };
    for (int i = 0; i < kWarmUp; ++i) sample(i);
    // Heap in use, large blocks mapped on their own included.
    const auto heap = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    const auto heap_before = heap();
    for (int i = kWarmUp; i < kSamples; ++i) sample(i);
    const auto heap_after = heap();
    QCOMPARE(h.HistoryRows(), kSamples);
    QVERIFY(h.dialogs.silent());
    const double bytes_per_sample = double(heap_after - heap_before) / (kSamples - kWarmUp);
    qInfo("heap growth: %.1f bytes per sample", bytes_per_sample);
    QVERIFY2(bytes_per_sample < 32, qPrintable(QString::number(bytes_per_sample)));
    // Every sample reached the log, each on a line of its own.
    const std::string log = h.Log();
    QCOMPARE(std::count(log.begin(), log.end(), '\n'), std::ptrdiff_t(kSamples));
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::RobustnessTest)
#include "RobustnessTest.moc"
