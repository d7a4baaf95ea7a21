#include <QApplication>
#include <filesystem>
#include <iostream>

#include "app/FirstPaintReporter.h"
#include "app/SingleInstance.h"
#include "platform/PlatformServices.h"
#include "platform/TempFolder.h"
#include "sampling/StatusSampler.h"
#include "ui/qt/Form1Window.h"
#include "ui/qt/MessageBoxDialogs.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtMessageLoop.h"
#include "ui/qt/QtTrayIcon.h"
#include "window/Form1.h"

int main(int argc, char* argv[]) {
  // Without a display Quorvane still logs, on Qt's offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::cout << "No display found: Quorvane runs without a window and keeps logging." << std::endl;
  }
  QApplication app(argc, argv);  // also takes the user's locale for dates and times
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setOrganizationName(QStringLiteral("Brindlewick"));

  // A second start (at login and again by hand, say) brings the running copy to
  // the front instead of logging twice into the same file.
  quorvane::SingleInstance instance;
  if (!instance.Claim()) {
    std::cout << "Quorvane is already running; its window was brought to the front." << std::endl;
    return 0;
  }

  const std::filesystem::path program = QApplication::applicationFilePath().toStdString();
  auto services = quorvane::CreatePlatformServices(program);
  const auto temp_folder = quorvane::TempFolder();
  quorvane::StatusSampler sampler({*services.clock, *services.tool_runner,
                                   quorvane::SystemWirelessTool(), *services.signal_source,
                                   *services.connectivity, temp_folder});
  quorvane::HistoryStore history(*services.clock);
  quorvane::Form1Window window(history);
  quorvane::QtTrayIcon tray;
  quorvane::MessageBoxDialogs dialogs;
  dialogs.set_parent(&window);
  quorvane::QtDesktop desktop;
  quorvane::QtMessageLoop loop;
  quorvane::Form1 form({sampler, *services.settings, *services.startup_entry, *services.clock,
                        temp_folder, program.parent_path()},
                       {window, tray, dialogs, desktop, loop}, history);
  window.Attach(form);
  tray.Attach(form);
  // The window may be hidden in the tray; the program ends when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&instance, &quorvane::SingleInstance::ShowRequested, &window,
                   [&form] { form.BringToFront(); });
  quorvane::FirstPaintReporter first_paint;
  window.installEventFilter(&first_paint);
  form.Form_Load();
  std::cout << "Quorvane is running; its history log is " << form.LogFilePath().string()
            << std::endl;
  return QApplication::exec();
}
