#include <QApplication>
#include <QScreen>
#include <QTest>

#include "tests/widget/Form1Harness.h"

namespace quorvane::testing {

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void firstStartShowsTheDefaults() {
    Form1Harness h;
    Form1& form = h.Load();
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvane"));
    QVERIFY(form.Option1->isChecked());
    QVERIFY(!form.Option2->isChecked());
    QCOMPARE(h.SelectedIntervalRow(), 1);
    QCOMPARE(form.ListView2->model()->rowCount(), 12);
    QCOMPARE(form.ListView2->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("How often would you like to log WiFi signal strength?"));
    QCOMPARE(form.ListView1->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral(" WiFi Signal Strength Status"));
    QCOMPARE(form.PushButton5->text(), QStringLiteral("Turn Off Automatic Log"));
    QVERIFY(form.Timer1->isActive());
    QVERIFY(!form.Check4->isChecked());
    QVERIFY(form.Check8->isHidden());
    QCOMPARE(h.HistoryRows(), 0);
    QCOMPARE(form.LogFilePath(), h.temp / "Quorvane.txt");
    QVERIFY(!form.FormLoading());
    QVERIFY(h.dialogs.silent());
    QCOMPARE(h.startup_entry.adds + h.startup_entry.removes, 0);
  }

  void theWindowHasItsFixedLayout() {
    Form1Harness h;
    Form1& form = h.Load();
    QCOMPARE(form.size(), QSize(536, 570));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Centred, give or take a frame the platform adds once the window is shown.
    QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 4);
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form.Frame1->geometry(), QRect(8, 8, 520, 56));
    QCOMPARE(form.ListView1->geometry(), QRect(8, 72, 520, 169));
    QCOMPARE(form.ListView2->geometry(), QRect(8, 248, 520, 106));
    QCOMPARE(form.PushButton6->geometry(), QRect(272, 415, 256, 27));
    QCOMPARE(form.PushButton3->geometry(), QRect(280, 13, 32, 27));
    QCOMPARE(form.PushButton3->parentWidget(), form.Frame3);
    QCOMPARE(form.PushButton6->font().pointSizeF(), 11.25);
    QVERIFY(form.PushButton6->font().bold());
    QCOMPARE(form.font().pointSizeF(), 9.0);
    QCOMPARE(form.ListView1->header()->sectionSize(0), 467);
    // The tab order: lists, buttons, start options (the hidden one skipped), method.
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.ListView1->setFocus();
    const QList<QWidget*> order{form.ListView2,    form.PushButton5,  form.PushButton6,
                                form.PushButton1,  form.PushButton2,  form.Check4,
                                form.PushButton11, form.PushButton12, form.Option1,
                                form.Option2,      form.PushButton3,  form.ListView1};
    for (QWidget* next : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void anAutomaticSampleArrivesOnTheFifthTick() {
    Form1Harness h;
    Form1& form = h.Load();
    h.Tick(4);
    QCOMPARE(h.FrameCaption(), QStringLiteral("Next log will occur in 00:00:01"));
    QCOMPARE(form.ProgressBar1->maximum(), 5);
    QCOMPARE(form.ProgressBar1->value(), 4);
    QVERIFY(!form.sample_under_way());
    h.Tick();
    QCOMPARE(h.FrameCaption(), QStringLiteral("Next log will occur in 00:00:00"));
    QCOMPARE(form.ProgressBar1->value(), 5);
    QVERIFY(!form.Timer1->isActive());  // stopped while the sample is taken
    h.WaitForReading();
    const std::string line = "12/07/26 14:03:11 WiFi Signal Strength is 70%";
    QCOMPARE(h.HistoryRows(), 1);
    QCOMPARE(form.history().Line(0), line);
    QCOMPARE(form.history().data(form.history().index(0), Qt::DisplayRole).toString(),
             QString::fromStdString(line));
    QCOMPARE(h.Log(), line + "\n");
    QCOMPARE(form.ProgressBar1->value(), 0);
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.countdown().seconds_elapsed(), 0);
  }

  void theWindowAnswersWhileTheToolRuns() {
    Form1Harness h;
    Gate gate;
    h.tool.while_running = [&] { gate.Wait(); };
    Form1& form = h.Load();
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    QTRY_VERIFY(gate.entered());
    QCOMPARE(form.pointer_mode(), int(Form1::kBusyPointer));
    QCOMPARE(form.cursor().shape(), Qt::WaitCursor);
    // Another button answers at once while the reading waits.
    QTest::mouseClick(form.PushButton5, Qt::LeftButton);
    QCOMPARE(form.PushButton5->text(), QStringLiteral("Turn On Automatic Log"));
    QCOMPARE(h.settings.values.at("StartStopState"), std::string("Off"));
    QCOMPARE(h.HistoryRows(), 0);
    gate.Open();
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
    QCOMPARE(form.pointer_mode(), int(Form1::kDefaultPointer));
    QCOMPARE(form.ProgressBar1->value(), 0);
    QCOMPARE(form.ProgressBar1->format(), QStringLiteral("Progress Bar"));
  }

  void logNowLeavesTheCountdownGoing() {
    Form1Harness h;
    Form1& form = h.Load();
    h.Tick(2);
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
    QCOMPARE(form.ProgressBar1->value(), 0);
    h.Tick(2);
    QCOMPARE(form.ProgressBar1->value(), 4);
    h.Tick();
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 2);
  }

  void turningOffDuringASampleIsRespected() {
    Form1Harness h;
    Gate gate;
    h.tool.while_running = [&] { gate.Wait(); };
    Form1& form = h.Load();
    h.Tick(5);
    QTRY_VERIFY(gate.entered());
    QTest::mouseClick(form.PushButton5, Qt::LeftButton);
    gate.Open();
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
    QVERIFY(!form.Timer1->isActive());
    QCOMPARE(form.PushButton5->text(), QStringLiteral("Turn On Automatic Log"));
    // Turned on again, the full interval runs.
    QTest::mouseClick(form.PushButton5, Qt::LeftButton);
    QVERIFY(form.Timer1->isActive());
    h.Tick(4);
    QVERIFY(!form.sample_under_way());
  }

  void aFailingSampleIsReportedAndTheCountdownGoesOn() {
    Form1Harness h;
    h.tool.result = {ToolOutcome::kTimedOut, 0};
    Form1& form = h.Load();
    h.Tick(5);
    h.WaitForReading();
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    const ErrorReport& report = h.dialogs.errors[0];
    QCOMPARE(report.handler, std::string("Timer1"));
    QCOMPARE(report.line, 128);
    QVERIFY(report.Text().find("did not finish within 20 seconds") != std::string::npos);
    QCOMPARE(h.HistoryRows(), 0);
    QVERIFY(!std::filesystem::exists(h.temp / "Quorvane.txt"));
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.countdown().seconds_elapsed(), 0);

    h.tool.result = {};
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
  }

  void aLogThatCannotBeWrittenKeepsTheLineInTheList() {
    Form1Harness h;
    Form1& form = h.Load();
    std::filesystem::create_directory(h.temp / "Quorvane.txt");  // in the way
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(h.dialogs.errors[0].handler, std::string("PushButton6_Click"));
    QCOMPARE(h.dialogs.errors[0].line, 106);
    QCOMPARE(form.pointer_mode(), int(Form1::kDefaultPointer));
  }

  void clickingAnIntervalStoresItAndRestartsTheCount() {
    Form1Harness h;
    Form1& form = h.Load();
    h.Tick(3);
    h.ClickIntervalRow(11);
    QCOMPARE(h.settings.values.at("OftenIndex"), std::string("12"));
    QCOMPARE(form.countdown().seconds_elapsed(), 0);
    h.Tick();
    QCOMPARE(h.FrameCaption(), QStringLiteral("Next log will occur in 23:59:59"));

    // A click beside the rows keeps the selection.
    QTest::mouseClick(form.ListView2->viewport(), Qt::LeftButton, {},
                      QPoint(5, form.ListView2->viewport()->height() - 2));
    QCoreApplication::processEvents();
    QCOMPARE(h.SelectedIntervalRow(), 11);
  }

  void aChoiceChangedWithoutAClickIsUsedFromTheNextTick() {
    Form1Harness h;
    Form1& form = h.Load();
    h.Tick(3);
    QTest::keyClick(form.ListView2, Qt::Key_Up);  // to "Log every 1 second"
    QCOMPARE(h.SelectedIntervalRow(), 0);
    QVERIFY(h.settings.values.find("OftenIndex") == h.settings.values.end());
    h.Tick();  // the count (4) is past the new interval: due at once
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
  }

  void aStoredIntervalThatNamesNoRowIsReportedOnce() {
    for (const auto& [stored, line] :
         {std::pair<std::string, int>{"13", 164}, {"0", 164}, {"five", 162}, {"99999", 162}}) {
      Form1Harness h;
      h.settings.values["OftenIndex"] = stored;
      h.Load();
      QCOMPARE(h.dialogs.errors.size(), size_t(1));
      QCOMPARE(h.dialogs.errors[0].handler, std::string("Form_Load"));
      QCOMPARE(h.dialogs.errors[0].line, line);
      QCOMPARE(h.SelectedIntervalRow(), 1);
    }
    Form1Harness h;
    h.settings.values["OftenIndex"] = "7";
    h.Load();
    QCOMPARE(h.SelectedIntervalRow(), 6);
    QVERIFY(h.dialogs.silent());
  }

  void theSwitchIsRestoredAndStored() {
    Form1Harness h;
    h.settings.values["StartStopState"] = "Off";
    Form1& form = h.Load();
    QCOMPARE(form.PushButton5->text(), QStringLiteral("Turn On Automatic Log"));
    QCOMPARE(h.FrameCaption(), QStringLiteral("Automatic Log is Turned Off."));
    QVERIFY(!form.Timer1->isActive());
    QTest::mouseClick(form.PushButton5, Qt::LeftButton);
    QCOMPARE(form.PushButton5->text(), QStringLiteral("Turn Off Automatic Log"));
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(h.settings.values.at("StartStopState"), std::string("On"));

    // An unknown stored state counts as "On", so the switch always works.
    Form1Harness odd;
    odd.settings.values["StartStopState"] = "on";
    odd.Load();
    QCOMPARE(odd.form->PushButton5->text(), QStringLiteral("Turn Off Automatic Log"));
    QVERIFY(odd.form->Timer1->isActive());
  }

  void theStartOptionsFollowTheirRules() {
    Form1Harness h;
    Form1& form = h.Load();
    form.Check4->click();
    QVERIFY(form.Check8->isVisible());
    QVERIFY(!form.Check8->isChecked());
    QCOMPARE(h.settings.values.at("Windows Startup"), std::string("On"));
    QCOMPARE(h.startup_entry.adds, 1);
    form.Check8->click();
    QCOMPARE(h.settings.values.at("Minimized"), std::string("On"));
    form.Check4->click();
    QVERIFY(!form.Check8->isChecked());
    QVERIFY(form.Check8->isHidden());
    QCOMPARE(h.settings.values.at("Minimized"), std::string("Off"));
    QCOMPARE(h.settings.values.at("Windows Startup"), std::string("Off"));
    QCOMPARE(h.startup_entry.removes, 1);
    QVERIFY(h.dialogs.silent());
  }

  void storedStartOptionsAreShownWithoutRegisteringAgain() {
    Form1Harness h;
    h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "Off"}};
    Form1& form = h.Load();
    QVERIFY(form.Check4->isChecked());
    QVERIFY(form.Check8->isVisible());
    QCOMPARE(h.startup_entry.adds, 0);

    Form1Harness lower;
    lower.settings.values = {{"Windows Startup", "on"}, {"Minimized", "On"}};
    lower.Load();
    QVERIFY(!lower.form->Check4->isChecked());
    QVERIFY(lower.form->Check8->isChecked());
    QVERIFY(lower.form->Check8->isHidden());
  }

  void aStartEntryThatCannotBeWrittenIsReported() {
    Form1Harness h;
    h.startup_entry.refuse = true;
    Form1& form = h.Load();
    form.Check4->click();
    QCOMPARE(h.dialogs.warnings.size(), size_t(1));
    QCOMPARE(h.settings.values.at("Windows Startup"), std::string("On"));
  }

  void theMethodButtonsStoreBothValuesAndPickTheReader() {
    Form1Harness h;
    h.signal_source.strengths = {-60};
    Form1& form = h.Load();
    form.Option2->click();
    QCOMPARE(h.settings.values.at("Option1"), std::string("False"));
    QCOMPARE(h.settings.values.at("Option2"), std::string("True"));
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    h.WaitForReading();
    QCOMPARE(form.history().Line(0), std::string("12/07/26 14:03:11 WiFi Signal Strength is 4"));
    QVERIFY(h.tool.commands.empty());
  }

  void storedMethodValuesAreConverted() {
    Form1Harness numbers;
    numbers.settings.values = {{"Option1", "0"}, {"Option2", "1"}};
    numbers.Load();
    QVERIFY(!numbers.form->Option1->isChecked());
    QVERIFY(numbers.form->Option2->isChecked());

    Form1Harness neither;
    neither.settings.values = {{"Option1", "False"}, {"Option2", "False"}};
    neither.signal_source.strengths = {-95};
    neither.Load();
    QVERIFY(!neither.form->Option1->isChecked());
    QVERIFY(!neither.form->Option2->isChecked());
    QTest::mouseClick(neither.form->PushButton6, Qt::LeftButton);
    neither.WaitForReading();
    QCOMPARE(neither.form->history().Line(0),
             std::string("12/07/26 14:03:11 WiFi Signal Strength is 0"));

    Form1Harness garbage;
    garbage.settings.values = {{"Option1", "maybe"}};
    garbage.Load();
    QCOMPARE(garbage.dialogs.errors.size(), size_t(1));
    QCOMPARE(garbage.dialogs.errors[0].line, 190);
    QVERIFY(garbage.form->Option1->isChecked());
  }

  void aStoreThatCannotBeWrittenIsReported() {
    Form1Harness h;
    h.settings.refuse_saves = true;
    Form1& form = h.Load();
    form.Option2->click();
    QVERIFY(!h.dialogs.warnings.empty());
    QTest::mouseClick(form.PushButton5, Qt::LeftButton);
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(h.dialogs.errors[0].handler, std::string("PushButton5_Click"));
    QCOMPARE(h.dialogs.errors[0].line, 114);
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::Form1Test)
#include "Form1Test.moc"
