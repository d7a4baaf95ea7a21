// Hiding into the tray, coming back, and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

#include "ui/Form1.h"
#include "ui/cSysTray.h"

namespace quorvane {

const char* const Form1::kTrayBalloonText =
    "has been minimized to the system tray.\r\nClick on the blue 'B' icon (B for Brindlewick) "
    "to bring the software back.";

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Handled once the change has settled: whoever minimised the window may still
  // be showing it (as showMinimized() does).
  if (event->type() == QEvent::WindowStateChange)
    QTimer::singleShot(0, this, [this] { Form_Resize(); });
}

void Form1::Form_Resize() {
  // Some platforms report the change twice; only a window still on screen goes.
  if (!isMinimized() || minimized_to_tray_ || !isVisible()) return;
  // Without a tray the window stays minimised on the taskbar, where it can be
  // found again.
  if (!cSysTray::TrayAvailable()) return;
  // Hidden while still minimised; the normal state returns with the window, so no
  // empty frame is left on screen.
  hide();
  minimized_to_tray_ = true;
  cSysTray1->ShowBalloon(QString::fromLatin1(kTrayBalloonText), QStringLiteral("Quorvane"), 5,
                         true);
}

void Form1::ShowAfterLoad() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  if (!start_minimised_) {
    show();
    return;
  }
  if (!cSysTray::TrayAvailable()) {
    showMinimized();
    return;
  }
  minimized_to_tray_ = true;
  cSysTray1->ShowBalloon(QString::fromLatin1(kTrayBalloonText), QStringLiteral("Quorvane"), 5,
                         true);
}

void Form1::cSysTray1_MouseUp() {
  showNormal();
  raise();
  activateWindow();
  minimized_to_tray_ = false;
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
  Form_Unload();
}

void Form1::Form_QueryUnload() {
  TrappedHandler trap(services_.dialogs, "Form_QueryUnload");
  trap.Step(100, [&] {
    closing_ = true;  // a sample that ends now does not start the timer again
    Timer1->stop();
  });
  trap.Step(102, [&] { cSysTray1->SetInTray(false); });
}

void Form1::Form_Unload() { QCoreApplication::quit(); }

}  // namespace quorvane
