// The Qt window as a view of the core: its widgets, pointers, skin, tray icon
// and clipboard, on Qt's offscreen platform.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTreeView>

#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/qt/Form1Window.h"
#include "ui/qt/HistoryListModel.h"
#include "ui/qt/HistoryView.h"
#include "ui/qt/Icons.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtMessageLoop.h"
#include "ui/qt/QtTrayIcon.h"
#include "window/Form1.h"

namespace quorvane::testing {
namespace {

// The real Qt window and tray icon on the real core, with fake services.
struct WindowHarness {
  TempDir temp{"temp"};
  TempDir program_folder{"program"};
  FakeClock clock;
  FakeToolRunner tool;
  FakeSignalSource signal_source;
  FakeConnectivity connectivity;
  FakeSettingsStore settings;
  FakeStartupEntry startup_entry;
  FakeDialogs dialogs;
  QtDesktop desktop;
  QtMessageLoop loop;
  StatusSampler sampler{{clock, tool,
                         WirelessTool{{"nmcli", {}}, WirelessOutputFormat::kNmcliTerse},
                         signal_source, connectivity, temp.path()}};
  HistoryStore history{clock};
  Form1Window window{history};
  QtTrayIcon tray;
  std::unique_ptr<Form1> form;

  WindowHarness() { tool.output = " :70\n"; }

  Form1Window& Load() {
    form =
        std::make_unique<Form1>(Form1Services{sampler, settings, startup_entry, clock, temp.path(),
                                              program_folder.path(), [](int) { return 50; }},
                                Form1Views{window, tray, dialogs, desktop, loop}, history);
    window.Attach(*form);
    tray.Attach(*form);
    form->Load();
    return window;
  }

  QWidget* W(Control control) const { return window.ControlWidget(control); }
  QPushButton* Button(Control control) const { return static_cast<QPushButton*>(W(control)); }
};

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

class Form1WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QtTrayIcon::OverrideAvailable(std::nullopt); }

  void theWindowHasItsFixedLayout() {
    WindowHarness h;
    Form1Window& form = h.Load();
    QCOMPARE(form.size(), QSize(536, 570));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Centred, give or take a frame the platform adds once the window is shown.
    QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 4);
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(h.W(Control::Frame1)->geometry(), QRect(8, 8, 520, 56));
    QCOMPARE(h.W(Control::ListView1)->geometry(), QRect(8, 72, 520, 169));
    QCOMPARE(h.W(Control::ListView2)->geometry(), QRect(8, 248, 520, 106));
    QCOMPARE(h.W(Control::PushButton6)->geometry(), QRect(272, 415, 256, 27));
    QCOMPARE(h.W(Control::PushButton3)->geometry(), QRect(280, 13, 32, 27));
    QCOMPARE(h.W(Control::PushButton3)->parentWidget(), h.W(Control::Frame3));
    QCOMPARE(h.W(Control::PushButton6)->font().pointSizeF(), 11.25);
    QVERIFY(h.W(Control::PushButton6)->font().bold());
    QCOMPARE(form.font().pointSizeF(), 9.0);
    QCOMPARE(form.HistoryList()->header()->sectionSize(0), 467);
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.windowIcon().availableSizes().contains(QSize(256, 256)));
  }

  // Tab reads the window as a page is read: top to bottom, each row left to
  // right, past the hidden box while it is hidden.
  void tabWalksTheWindowTopToBottomAndLeftToRight() {
    WindowHarness h;
    Form1Window& form = h.Load();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), h.W(Control::ListView1));
    // Keys pressed right after start change nothing that is stored.
    const auto stored = h.settings.values;
    for (auto key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left})
      QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(h.settings.values, stored);
    using C = Control;
    const auto walk = [&](std::vector<C> expected) {
      for (C next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), h.W(next));
      }
    };
    walk({C::ListView2, C::Check4, C::PushButton5, C::PushButton6, C::PushButton1, C::PushButton2,
          C::PushButton11, C::PushButton12, C::Option1, C::Option2, C::PushButton3, C::ListView1});
    QTest::mouseClick(h.W(C::Check4), Qt::LeftButton, {}, QPoint(4, 8));
    QVERIFY(h.W(C::Check8)->isVisible());
    h.W(C::ListView1)->setFocus();
    walk({C::ListView2, C::Check4, C::Check8, C::PushButton5});
    // Shift+Tab walks back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), h.W(C::Check8));
  }

  // What a screen reader reads: every control named, the history's lines as the
  // items of a list, made only when asked for, with the row the keys reached.
  void screenReadersReadEveryControlAndTheHistory() {
    WindowHarness h;
    Form1Window& form = h.Load();
    const auto read = [&](Control control) {
      QAccessibleInterface* item = QAccessible::queryAccessibleInterface(h.W(control));
      return std::make_pair(item->role(), item->text(QAccessible::Name));
    };
    using A = QAccessible;
    QCOMPARE(read(Control::Form1), std::make_pair(A::Window, QString("Quorvane")));
    QCOMPARE(read(Control::ListView1),
             std::make_pair(A::List, QString("WiFi Signal Strength Status")));
    QCOMPARE(read(Control::ListView2).second,
             QString("How often would you like to log WiFi signal strength?"));
    QTRY_COMPARE(read(Control::ProgressBar1).second, QString("Next log will occur in 00:00:04"));
    QCOMPARE(read(Control::PushButton3), std::make_pair(A::Button, QString("?")));

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form.HistoryList());
    QCOMPARE(list->childCount(), 0);
    QCOMPARE(list->child(0), nullptr);
    for (int second = 0; second < 1'000'000; ++second)
      h.history.Add({{2026, 12, 7, 14, second / 60 % 60, second % 60}, "70%", ""});
    QCOMPARE(list->childCount(), 1'000'000);
    QAccessibleInterface* last = list->child(999'999);
    QCOMPARE(last->role(), A::ListItem);
    QCOMPARE(last->text(A::Name), QString("12/07/26 14:46:39 WiFi Signal Strength is 70%"));
    QCOMPARE(list->indexOfChild(last), 999'999);
    QCOMPARE(last->parent(), list);
    QTest::keyClick(form.HistoryList(), Qt::Key_Home);  // it followed; the reader goes back up
    QVERIFY(last->state().offscreen);

    form.HistoryList()->setFocus();
    QTest::keyClick(form.HistoryList(), Qt::Key_End);
    QCOMPARE(list->focusChild(), last);
    QVERIFY(last->state().focused);
    QVERIFY(!last->state().offscreen);
    QVERIFY(form.HistoryList()->viewport()->rect().contains(
        form.HistoryList()->viewport()->mapFromGlobal(last->rect().center())));
    QCOMPARE(list->childAt(last->rect().center().x(), last->rect().center().y()), last);
    // A reader walking the list leaves no item per line behind; the current one stays.
    const QAccessible::Id walked_past = QAccessible::uniqueId(list->child(500'000));
    for (int row = 0; row < 2000; ++row) QVERIFY(list->child(row)->isValid());
    QCOMPARE(QAccessible::accessibleInterface(walked_past), nullptr);
    QCOMPARE(list->focusChild(), last);
    QTest::keyClick(form.HistoryList(), Qt::Key_Home);
    QCOMPARE(list->focusChild()->text(A::Name),
             QString("12/07/26 14:00:00 WiFi Signal Strength is 70%"));

    h.history.Clear();  // a reader holding a row finds it gone
    QCOMPARE(list->childCount(), 0);
    QVERIFY(!last->isValid());
    QCOMPARE(last->text(A::Name), QString());
  }

  void theHistoryListShowsTheStoresLines() {
    WindowHarness h;
    h.Load();
    QTest::mouseClick(h.Button(Control::PushButton6), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!h.form->sample_under_way(), 5000);
    QAbstractItemModel* model = h.window.HistoryList()->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->data(model->index(0, 0), Qt::DisplayRole).toString(),
             QStringLiteral("12/07/26 14:03:11 WiFi Signal Strength is 70%"));
  }

  void theEmptyHistoryListSaysWhereItsCommandsAreUntilTheFirstLine() {
    WindowHarness h;
    h.Load();
    HistoryView* list = h.window.HistoryList();
    QCOMPARE(list->accessibleDescription(), QString::fromUtf8(kEmptyHistoryCue));
    h.history.Add({{2026, 12, 7, 14, 3, 11}, "70%", ""});
    QCOMPARE(list->accessibleDescription(), QString());
    h.history.Clear();
    QCOMPARE(list->accessibleDescription(), QString::fromUtf8(kEmptyHistoryCue));
  }

  void theHistoryListFollowsNewLinesWhileItsLastLineIsInSight() {
    WindowHarness h;
    h.Load();
    HistoryView* list = h.window.HistoryList();
    const auto add = [&](int lines) {
      for (int i = 0; i < lines; ++i) h.history.Add({{2026, 12, 7, 14, 3, 11}, "70%", ""});
    };
    const auto last_line_in_sight = [&] {
      return list->firstVisibleRow() + list->visibleRowCount() == list->model()->rowCount();
    };
    add(list->visibleRowCount() + 3);
    QVERIFY(last_line_in_sight());  // left alone from the start, it follows as it fills
    QTest::keyClick(list, Qt::Key_Home);
    add(2);
    QCOMPARE(list->firstVisibleRow(), 0);  // scrolled away from the end: it stays
    QTest::keyClick(list, Qt::Key_End);
    add(2);
    QVERIFY(last_line_in_sight());
    // Lines that come while the window is hidden are caught up with when it is back.
    h.window.hide();
    add(5);
    h.window.show();
    QVERIFY(last_line_in_sight());
    // Mapped anew out of the tray, the window may pass through another size: a
    // list at its end stays there, and goes on following.
    const QSize size = h.window.size();
    h.window.resize(size.width(), size.height() - 60);
    add(1);
    h.window.resize(size);
    QVERIFY(last_line_in_sight());
    add(1);
    QVERIFY(last_line_in_sight());
    QTest::keyClick(list, Qt::Key_Up);
    const int reading = list->firstVisibleRow();
    add(2);
    QCOMPARE(list->firstVisibleRow(), reading);
  }

  void clicksAndKeysOnTheIntervalListReachTheCore() {
    WindowHarness h;
    h.Load();
    QCOMPARE(h.settings.saves, 0);  // the row restored at start is not the user's choice
    QTreeView* list = h.window.IntervalList();
    list->scrollTo(list->model()->index(11, 0));
    const QRect rect = list->visualRect(list->model()->index(11, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_COMPARE(h.settings.values["OftenIndex"], std::string("12"));
    // A click beside the rows keeps the selection.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->viewport()->height() - 2));
    QCoreApplication::processEvents();
    QCOMPARE(h.window.SelectedRow(Control::ListView2), 11);
    // A row chosen with the keyboard is stored as a click would store it.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(h.settings.values["OftenIndex"], std::string("11"));
  }

  void theRestoredIntervalIsSelectedWhereItIs() {
    WindowHarness h;
    h.settings.values = {{"OftenIndex", "12"}};
    h.Load();
    QCoreApplication::processEvents();
    QCOMPARE(h.window.SelectedRow(Control::ListView2), 11);
    QCOMPARE(h.window.IntervalList()->verticalScrollBar()->value(), 0);
  }

  void thePointerModesAreCursors() {
    WindowHarness h;
    Form1Window& form = h.Load();
    QVERIFY(!form.hand_pointer().has_value());
    MoveOver(h.W(Control::PushButton1));  // no cursor file: the desktop's hand
    QCOMPARE(form.cursor().shape(), Qt::PointingHandCursor);
    MoveOver(form.HistoryList()->viewport());
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
    form.SetPointer(PointerMode::kBusy);
    QCOMPARE(form.cursor().shape(), Qt::WaitCursor);
  }

  void theHandPointerComesFromTheCursorFile() {
    WindowHarness h;
    WriteCursorFile(h.program_folder / "HAND-M.CUR");
    Form1Window& form = h.Load();
    QVERIFY(form.hand_pointer().has_value());
    QCOMPARE(form.hand_pointer()->hotSpot(), QPoint(5, 3));

    WindowHarness bad;
    WriteFile(bad.program_folder / "HAND-M.CUR", "not a cursor");
    bad.Load();
    QCOMPARE(bad.dialogs.errors.size(), size_t(1));
    QVERIFY(!bad.window.hand_pointer().has_value());
  }

  void noSkinLeavesTheWindowWhite() {
    WindowHarness h;
    Form1Window& form = h.Load();
    QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(h.W(Control::Frame2)->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(form.styleSheet().isEmpty());
  }

  // White text on black, as a high-contrast theme has it: neither the layout's
  // white nor the skin hides the text.
  void highContrastColoursWinOverTheWhiteAndTheSkin() {
    const QPalette before = QApplication::palette();
    const QBrush white(Qt::white), black(Qt::black), grey(Qt::gray), yellow(Qt::yellow);
    const QPalette high_contrast(white, black, grey, grey, grey, white, yellow, black, black);
    QApplication::setPalette(high_contrast);
    {
      WindowHarness h;
      std::filesystem::create_directories(h.program_folder / "x");
      WriteFile(h.program_folder / "x/o.cjs", "QWidget { background-color: white; }\n");
      Form1Window& form = h.Load();
      QVERIFY(form.HighContrast());
      QVERIFY(form.styleSheet().isEmpty());
      for (Control control : {Control::Form1, Control::Frame2, Control::Check4})
        QCOMPARE(h.W(control)->palette().color(QPalette::Window), QColor(Qt::black));
      QCOMPARE(h.W(Control::Check4)->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    QApplication::setPalette(before);
    WindowHarness usual;
    QVERIFY(!usual.window.HighContrast());
  }

  void framesCarryTheirCaptionOnTheTopLine() {
    WindowHarness h;
    Form1Window& form = h.Load();
    QWidget* frame = h.W(Control::Frame3);
    const QImage shot = frame->grab().toImage();
    const int line = QFontMetrics(frame->font()).height() / 2;
    const int right = frame->width() - 3;
    QCOMPARE(shot.pixelColor(right, line), QColor(0xA0, 0xA0, 0xA0));
    for (int y = 0; y < line; ++y) QCOMPARE(shot.pixelColor(right, y), QColor(Qt::white));
    // The "?" button starts below the line, and nothing but white lies behind
    // the option buttons' captions.
    QVERIFY(h.W(Control::PushButton3)->y() > line);
    const QImage window = form.grab().toImage();
    const QWidget* option = h.W(Control::Option2);
    for (int x = option->width() / 2; x < option->width(); x += 4)
      QCOMPARE(window.pixelColor(option->mapTo(&form, QPoint(x, 1))), QColor(Qt::white));
  }

  void aSkinRecoloursThenStyles() {
    WindowHarness h;
    std::filesystem::create_directories(h.program_folder / "x");
    WriteFile(h.program_folder / "x/o.cjs", "QPushButton { color: rgb(1, 2, 3); }\n");
    Form1Window& form = h.Load();
    const QColor face = QApplication::palette().color(QPalette::Button);
    QCOMPARE(form.palette().color(QPalette::Window), face);
    for (Control control : {Control::Frame1, Control::Option2, Control::Check8})
      QCOMPARE(h.W(control)->palette().color(QPalette::Window), face);
    QCOMPARE(h.W(Control::PushButton1)->palette().color(QPalette::Button), QColor(Qt::white));
    QVERIFY(form.styleSheet().contains(QLatin1String("rgb(1, 2, 3)")));
    // What is painted: beside their captions the boxes and buttons show the face.
    const QImage shot = form.grab().toImage();
    for (Control control : {Control::Option1, Control::Option2, Control::Check4}) {
      const QWidget* widget = h.W(control);
      const QPoint beside = widget->mapTo(&form, QPoint(widget->width() - 2, widget->height() / 2));
      QCOMPARE(shot.pixelColor(beside), face);
    }
    QVERIFY(h.dialogs.silent());
  }

  void aSkinThatIsNoStyleSheetLeavesOnlyTheRecolouring() {
    WindowHarness h;
    std::filesystem::create_directories(h.program_folder / "x");
    WriteFile(h.program_folder / "x/o.cjs", "QPushButton { color: red; \n");
    Form1Window& form = h.Load();
    QCOMPARE(h.dialogs.errors.size(), size_t(1));
    QCOMPARE(form.palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(form.styleSheet().isEmpty());
  }

  void theTrayIconShowsAndAnswersLeftAndRightPresses() {
    const QIcon picture = TrayPicture();
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.pixmap(16, 16).toImage().pixelColor(8, 0), QColor(0, 0, 0));  // the border

    QtTrayIcon::OverrideAvailable(true);
    WindowHarness h;
    Form1Window& form = h.Load();
    QSystemTrayIcon* icon = h.tray.icon();
    QVERIFY(icon->isVisible());
    QCOMPARE(icon->toolTip(), QStringLiteral("Quorvane"));
    // Left and right presses stand for releases; the middle button does nothing.
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context}) {
      form.showMinimized();
      QTRY_VERIFY(!form.isVisible());
      emit icon->activated(QSystemTrayIcon::MiddleClick);
      QVERIFY(!form.isVisible());
      emit icon->activated(reason);
      QVERIFY(form.isVisible());
      QCOMPARE(form.windowState() & Qt::WindowMinimized, Qt::WindowStates());
    }
    form.close();
    QVERIFY(!icon->isVisible());
  }

  void copyPutsTheWholeLogOnTheClipboard() {
    WindowHarness h;
    h.Load();
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    // A folder where the log should be cannot be read: the clipboard stays.
    std::filesystem::create_directories(h.temp / "Quorvane.txt");
    QTest::mouseClick(h.Button(Control::PushButton2), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
    std::filesystem::remove(h.temp / "Quorvane.txt");
    WriteFile(h.temp / "Quorvane.txt", "earlier run line caf\xC3\xA9\n");
    QTest::mouseClick(h.Button(Control::PushButton2), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(),
             QString::fromUtf8("earlier run line caf\xC3\xA9\n"));
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::Form1WindowTest)
#include "Form1WindowTest.moc"
