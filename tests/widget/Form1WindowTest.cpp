#include <QApplication>
#include <QClipboard>
#include <QImageWriter>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include "sampling/FileOperations.h"
#include "tests/widget/Form1Harness.h"
#include "ui/AppTitle.h"
#include "ui/Appearance.h"
#include "ui/Icons.h"
#include "ui/cSysTray.h"

namespace quorvane::testing {
namespace {

// A 32x32 cursor file with its hot spot at (5, 3): an icon file of type 2.
void WriteCursorFile(const std::filesystem::path& file) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::black);
  QImageWriter writer(QString::fromStdString(file.string()), "ico");
  QVERIFY(writer.write(image));
  std::string bytes = ReadFile(file);
  bytes[2] = 2;
  bytes[10] = 5;
  bytes[11] = 0;
  bytes[12] = 3;
  bytes[13] = 0;
  WriteFile(file, bytes);
}

void MoveOver(QWidget* widget, QPoint at = {3, 3}) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

}  // namespace

class Form1ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { cSysTray::OverrideTrayAvailable(std::nullopt); }

  void theTrayControlKeepsItsRules() {
    cSysTray tray;
    QSignalSpy ups(&tray, &cSysTray::MouseUp);
    tray.SetTrayTip(QString(200, QLatin1Char('x')));
    QCOMPARE(tray.TrayTip().size(), 127);
    const QIcon icon = TrayPicture();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(8, 0), QColor(0, 0, 0));  // the border
    tray.SetTrayIcon(icon);
    tray.SetTrayIcon(QIcon());  // not an icon: ignored
    QVERIFY(!tray.TrayIcon().isNull());
    tray.SetInTray(true);
    tray.SetInTray(true);
    QVERIFY(tray.InTray());
    auto* system_icon = tray.findChild<QSystemTrayIcon*>();
    QVERIFY(system_icon->isVisible());
    QCOMPARE(system_icon->toolTip().size(), 127);

    tray.ShowBalloon(QStringLiteral("text"), QStringLiteral("title"), 1, true);
    QVERIFY(tray.balloon_showing());
    QCOMPARE(tray.once_balloon_count(), 1);
    tray.ShowBalloon(QStringLiteral("again"), QStringLiteral("title"), 1, true);
    QCOMPARE(tray.once_balloon_count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!tray.balloon_showing(), 3000);  // taken down after 1 s
    tray.ShowBalloon(QStringLiteral("always"), QStringLiteral("title"), 0, false);
    QVERIFY(tray.balloon_showing());
    QCOMPARE(tray.once_balloon_count(), 1);

    // Left and right presses stand for releases; the middle button does nothing.
    emit system_icon->activated(QSystemTrayIcon::Trigger);
    emit system_icon->activated(QSystemTrayIcon::Context);
    emit system_icon->activated(QSystemTrayIcon::MiddleClick);
    QCOMPARE(ups.size(), 2);
    QCOMPARE(ups[0][0].toInt(), 1);
    QCOMPARE(ups[1][0].toInt(), 2);
    tray.SetInTray(false);
    QVERIFY(!system_icon->isVisible());
  }

  void startUpPutsTheIconInTheTrayWithItsTip() {
    Form1Harness h;
    Form1& form = h.Load();
    QVERIFY(form.cSysTray1->InTray());
    QCOMPARE(form.cSysTray1->TrayTip(), QStringLiteral("Quorvane"));
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.windowIcon().availableSizes().contains(QSize(256, 256)));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Quorvane"));
    QVERIFY(h.desktop.urls.empty());
    QCOMPARE(h.seeds, std::vector<int>{14 * 3600 + 3 * 60 + 11});
  }

  void theHomePageOpensOnlyOnTheLuckyDraw() {
    Form1Harness h;
    h.drawn = 7;
    h.Load();
    QCOMPARE(h.desktop.urls, std::vector<QString>{QStringLiteral("https://brindlewick.example/")});
    QVERIFY(h.dialogs.silent());
    // The draw itself is uniform enough: about one in a hundred over many seeds.
    int sevens = 0;
    for (int seed = 0; seed < 86400; ++seed) sevens += DrawWithStandardGenerator(seed) == 7;
    QVERIFY2(sevens > 600 && sevens < 1150, qPrintable(QString::number(sevens)));
  }

  void theAppTitleCutsWholeWords() {
    QCOMPARE(AppTitleFor(QStringLiteral("Quorvane")), QStringLiteral("Quorvane"));
    QCOMPARE(AppTitleFor(QStringLiteral("Quorvane Signal Logger")),
             QStringLiteral("Quorvane Signal"));
    QCOMPARE(AppTitleFor(QStringLiteral("An extremely long product name that goes on and on")),
             QStringLiteral("An extremely long product name that goes"));
  }

  void bothStartOptionsStartInTheTray() {
    cSysTray::OverrideTrayAvailable(true);
    Form1Harness h;
    h.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
    Form1& form = h.Load();
    QVERIFY(!form.isVisible());
    QVERIFY(form.MinimizedToTray());
    QCOMPARE(form.cSysTray1->once_balloon_count(), 1);
    QVERIFY(form.cSysTray1->InTray());
    emit form.cSysTray1->MouseUp(1, 0);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isMinimized());
    QVERIFY(!form.MinimizedToTray());
    QCOMPARE(h.startup_entry.adds, 0);
  }

  void minimisingHidesIntoTheTrayWithOneBalloonPerRun() {
    cSysTray::OverrideTrayAvailable(true);
    Form1Harness h;
    Form1& form = h.Load();
    form.showMinimized();
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(form.MinimizedToTray());
    QCOMPARE(form.cSysTray1->once_balloon_count(), 1);
    QVERIFY(form.cSysTray1->balloon_showing());
    emit form.cSysTray1->MouseUp(2, 0);  // the right button restores too
    QVERIFY(form.isVisible());
    QCOMPARE(form.windowState() & Qt::WindowMinimized, Qt::WindowStates());
    form.showMinimized();
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(form.cSysTray1->once_balloon_count(), 1);
    // Automatic logging goes on while the window is hidden.
    h.Tick(5);
    h.WaitForReading();
    QCOMPARE(h.HistoryRows(), 1);
  }

  void withoutATrayMinimisingKeepsTheWindowReachable() {
    cSysTray::OverrideTrayAvailable(false);
    Form1Harness h;
    Form1& form = h.Load();
    form.showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(form.isVisible());
    QVERIFY(!form.MinimizedToTray());
  }

  void closingStopsTheTimerAndRemovesTheIcon() {
    Form1Harness h;
    Form1& form = h.Load();
    QVERIFY(form.Timer1->isActive());
    form.close();
    QVERIFY(!form.Timer1->isActive());
    QVERIFY(!form.cSysTray1->InTray());
    QVERIFY(h.dialogs.silent());
  }

  void theHelpButtonsShowTheirTexts() {
    Form1Harness h;
    Form1& form = h.Load();
    QTest::mouseClick(form.PushButton3, Qt::LeftButton);
    QTest::mouseClick(form.PushButton11, Qt::LeftButton);
    QCOMPARE(h.dialogs.informations.size(), size_t(2));
    QVERIFY(h.dialogs.informations[0].starts_with("Depending on what version of Windows"));
    QVERIFY(h.dialogs.informations[0].ends_with(
        "please email a screenshot of this message to support@brindlewick.example"));
    QCOMPARE(h.dialogs.informations[1], std::string("Questions? Please contact Team Brindlewick at "
                                                    "https://brindlewick.example/contact/"));
  }

  void theLogCommandsBeforeAnyHistory() {
    Form1Harness h;
    Form1& form = h.Load();
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    QTest::mouseClick(form.PushButton1, Qt::LeftButton);
    QCOMPARE(h.dialogs.informations,
             std::vector<std::string>{"There isn't a history to view because actions have not "
                                      "been performed yet."});
    QTest::mouseClick(form.PushButton2, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
    QTest::mouseClick(form.PushButton12, Qt::LeftButton);
    QCOMPARE(h.dialogs.confirmations.size(), size_t(1));
    QVERIFY(h.dialogs.errors.empty());
  }

  void viewCopyAndClearWorkOnTheWholeLog() {
    Form1Harness h;
    WriteFile(h.temp / "Quorvane.txt", "earlier run line caf\xC3\xA9\n");
    Form1& form = h.Load();
    QCOMPARE(h.HistoryRows(), 0);  // the list starts empty, the file keeps its lines
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    h.WaitForReading();

    QTest::mouseClick(form.PushButton1, Qt::LeftButton);
    QCOMPARE(h.desktop.text_files,
             std::vector<QString>{QString::fromStdString((h.temp / "Quorvane.txt").string())});

    QTest::mouseClick(form.PushButton2, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(),
             QString::fromUtf8(
                 "earlier run line caf\xC3\xA9\n12/07/26 14:03:11 WiFi Signal Strength is 70%\n"));

    h.dialogs.answer_yes = false;
    QTest::mouseClick(form.PushButton12, Qt::LeftButton);
    QCOMPARE(h.HistoryRows(), 1);
    QVERIFY(FileExists(h.temp / "Quorvane.txt"));

    h.dialogs.answer_yes = true;
    std::filesystem::permissions(h.temp / "Quorvane.txt", std::filesystem::perms::owner_read);
    QTest::mouseClick(form.PushButton12, Qt::LeftButton);
    QCOMPARE(h.HistoryRows(), 0);
    QVERIFY(!FileExists(h.temp / "Quorvane.txt"));
    QVERIFY(h.dialogs.errors.empty());
    QVERIFY(form.Timer1->isActive());

    QTest::mouseClick(form.PushButton1, Qt::LeftButton);
    QCOMPARE(h.dialogs.informations.size(), size_t(1));
  }

  void aLogThatCannotBeCopiedOrDeletedIsReported() {
    Form1Harness h;
    Form1& form = h.Load();
    // A folder where the log should be: it exists, but is neither readable as a
    // file nor removable as one.
    std::filesystem::create_directories(h.temp / "Quorvane.txt" / "inside");
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    QTest::mouseClick(form.PushButton2, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(h.dialogs.errors[0].handler, std::string("PushButton2_Click"));
    QCOMPARE(h.dialogs.errors[0].line, 102);

    QTest::mouseClick(form.PushButton12, Qt::LeftButton);
    QCOMPARE(h.dialogs.errors.size(), size_t(2));
    QCOMPARE(h.dialogs.errors[1].handler, std::string("PushButton12_Click"));
    QCOMPARE(h.dialogs.errors[1].line, 102);

    h.desktop.refuse = true;
    QTest::mouseClick(form.PushButton1, Qt::LeftButton);
    QCOMPARE(h.dialogs.errors.size(), size_t(3));
    QCOMPARE(h.dialogs.errors[2].line, 102);
  }

  void noSkinLeavesTheWindowWhite() {
    Form1Harness h;
    Form1& form = h.Load();
    QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(form.Frame2->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(form.styleSheet().isEmpty());
    QVERIFY(!form.custom_pointer().has_value());
  }

  void aSkinRecoloursThenStyles() {
    Form1Harness h;
    std::filesystem::create_directories(h.program_folder / "x");
    WriteFile(h.program_folder / "x/o.cjs", "QPushButton { color: rgb(1, 2, 3); }\n");
    Form1& form = h.Load();
    const QColor face = QApplication::palette().color(QPalette::Button);
    QCOMPARE(form.palette().color(QPalette::Window), face);
    for (QWidget* w : {static_cast<QWidget*>(form.Frame1), static_cast<QWidget*>(form.Option2),
                       static_cast<QWidget*>(form.Check8)})
      QCOMPARE(w->palette().color(QPalette::Window), face);
    QCOMPARE(form.PushButton1->palette().color(QPalette::Button), QColor(Qt::white));
    QVERIFY(form.styleSheet().contains(QLatin1String("rgb(1, 2, 3)")));
    QVERIFY(h.dialogs.silent());
  }

  void aSkinThatCannotBeLoadedIsReportedAndStartUpGoesOn() {
    Form1Harness h;
    std::filesystem::create_directories(h.program_folder / "x");
    WriteFile(h.program_folder / "x/o.cjs", "QPushButton { color: red; \n");
    Form1& form = h.Load();
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(h.dialogs.errors[0].line, 100);
    QCOMPARE(form.palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(form.styleSheet().isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvane"));
    QVERIFY(form.Timer1->isActive());
  }

  void theHandPointerFollowsTheHoverRules() {
    Form1Harness h;
    WriteCursorFile(h.program_folder / "HAND-M.CUR");
    Form1& form = h.Load();
    QVERIFY(form.custom_pointer().has_value());
    QCOMPARE(form.custom_pointer()->hotSpot(), QPoint(5, 3));
    MoveOver(form.PushButton1);
    QCOMPARE(form.pointer_mode(), int(Form1::kHandPointer));
    MoveOver(form.PushButton3);  // button to button: still the hand
    QCOMPARE(form.pointer_mode(), int(Form1::kHandPointer));
    MoveOver(form.Option1);  // no say over option buttons
    QCOMPARE(form.pointer_mode(), int(Form1::kHandPointer));
    MoveOver(form.ListView1->viewport());
    QCOMPARE(form.pointer_mode(), int(Form1::kDefaultPointer));
    MoveOver(form.PushButton5);
    MoveOver(&form, {2, 500});  // the window's own background
    QCOMPARE(form.pointer_mode(), int(Form1::kDefaultPointer));
  }

  void theBusyPointerOutlastsEveryHover() {
    Form1Harness h;
    Gate gate;
    h.tool.while_running = [&] { gate.Wait(); };
    Form1& form = h.Load();
    QTest::mouseClick(form.PushButton6, Qt::LeftButton);
    MoveOver(form.Frame1);
    MoveOver(form.PushButton1);
    QCOMPARE(form.pointer_mode(), int(Form1::kBusyPointer));
    gate.Open();
    h.WaitForReading();
    QCOMPARE(form.pointer_mode(), int(Form1::kDefaultPointer));
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
  }

  void aPointerFileThatIsNoCursorIsReported() {
    Form1Harness h;
    WriteFile(h.program_folder / "HAND-M.CUR", "not a cursor");
    Form1& form = h.Load();
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(h.dialogs.errors[0].line, 128);
    QVERIFY(!form.custom_pointer().has_value());
    MoveOver(form.PushButton1);
    QCOMPARE(form.cursor().shape(), Qt::PointingHandCursor);
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::Form1ShellTest)
#include "Form1ShellTest.moc"
