// The reference for Quorvane's whole-program figures: a bare Qt 6 window with a
// tray icon and a one-second timer updating a label and a progress bar.
// BARE_HIDDEN=1 hides the window two seconds after it was shown, leaving only the
// tray icon, as a user sends a program to the tray; QUORVANE_LAUNCHED_AT_NS makes
// it print the time from launch to its first paint.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "app/FirstPaintReporter.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(QStringLiteral("Next in 00:00:05"));
  auto* bar = new QProgressBar;
  bar->setRange(0, 5);
  layout->addWidget(label);
  layout->addWidget(bar);
  window.resize(536, 570);
  window.setWindowTitle(QStringLiteral("Bare"));

  QSystemTrayIcon tray(QIcon::fromTheme(QStringLiteral("network-wireless")));
  QPixmap square(16, 16);
  square.fill(Qt::cyan);
  tray.setIcon(QIcon(square));
  tray.show();

  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    ticks = (ticks + 1) % 6;
    label->setText(QStringLiteral("Next in 00:00:0%1").arg(5 - ticks));
    bar->setValue(ticks);
  });
  timer.start(1000);

  quorvane::FirstPaintReporter reporter;
  window.installEventFilter(&reporter);
  window.show();
  if (qEnvironmentVariableIsSet("BARE_HIDDEN")) QTimer::singleShot(2000, &window, &QWidget::hide);
  return QApplication::exec();
}
