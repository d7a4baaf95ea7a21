#include <QApplication>
#include <filesystem>
#include <iostream>

#include "app/FirstPaintReporter.h"
#include "app/SingleInstance.h"
#include "platform/PlatformServices.h"
#include "platform/TempFolder.h"
#include "sampling/StatusSampler.h"
#include "ui/Form1.h"
#include "ui/MessageBoxDialogs.h"

int main(int argc, char* argv[]) {
  // Without a display Quorvane still logs, on Qt's offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::cout << "No display found: Quorvane runs without a window and keeps logging." << std::endl;
  }
  QApplication app(argc, argv);  // also takes the user's locale for dates and times
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quorvane"));
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
  quorvane::MessageBoxDialogs dialogs;
  quorvane::SystemDesktop desktop;
  quorvane::Form1 form({sampler, *services.settings, *services.startup_entry, dialogs, desktop,
                        *services.clock, temp_folder, program.parent_path()});
  dialogs.set_parent(&form);
  // The window may be hidden in the tray; the program ends when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&instance, &quorvane::SingleInstance::ShowRequested, &form,
                   &quorvane::Form1::BringToFront);
  quorvane::FirstPaintReporter first_paint;
  form.installEventFilter(&first_paint);
  form.Form_Load();
  form.ShowAfterLoad();
  std::cout << "Quorvane is running; its history log is " << form.LogFilePath().string()
            << std::endl;
  return QApplication::exec();
}
