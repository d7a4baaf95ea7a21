#include <QApplication>
#include <QLoggingCategory>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/Assembly.h"
#include "app/CommandLine.h"
#include "app/DisplayPlatform.h"
#include "app/FirstPaintReporter.h"
#include "app/ReportCommand.h"
#include "app/SingleInstance.h"
#include "platform/JournalFolder.h"
#include "platform/SystemClock.h"
#include "platform/TempFolder.h"
#include "platform/linux/EndSignals.h"
#include "report/Report.h"
#include "sampling/HistoryLog.h"
#include "ui/qt/DBusNotifications.h"
#include "ui/qt/Form1Window.h"
#include "ui/qt/MessageBoxDialogs.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtMessageLoop.h"
#include "ui/qt/QtTrayIcon.h"
#include "window/Form1.h"

int main(int argc, char* argv[]) {
  // The report options come first: no display, no single-instance check, so they
  // work beside a running copy and on a machine without a display.
  {
    std::setlocale(LC_TIME, "");  // the user's date and time form, as the window writes it
    quorvane::report::UseJournalFolder(quorvane::JournalFolder());
    const quorvane::SystemClock clock;
    const auto status = quorvane::RunReportOptions(
        std::vector<std::string>(argv + 1, argv + argc),
        {quorvane::LogFilePath(quorvane::TempFolder()), clock, &std::cout, std::cerr});
    if (status) return *status;
  }
  // The report options accepted the command line, so it parses.
  const auto metrics_folder =
      quorvane::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)).metrics_folder;
  QByteArray platform = quorvane::PreferredPlatform();
  // Without a display Quorvane still logs, on Qt's offscreen platform.
  if (platform == "offscreen") {
    // Without a display there is no tray; Qt's tray icon says so in words meant
    // for its developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect=false"));
  }
  // Asked for on the command line rather than through QT_QPA_PLATFORM, so that the
  // programs Quorvane starts (the text editor, the browser) choose their own.
  QByteArray platform_option("-platform");
  std::vector<char*> arguments(argv, argv + argc);
  if (!platform.isEmpty())
    arguments.insert(arguments.begin() + 1, {platform_option.data(), platform.data()});
  int argument_count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  // Also takes the user's locale for dates and times.
  QApplication app(argument_count, arguments.data());
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setOrganizationName(QStringLiteral("Brindlewick"));

  // A second start (at login and again by hand, say) brings the running copy to
  // the front instead of logging twice into the same file.
  quorvane::SingleInstance instance;
  if (!instance.Claim()) {
    std::cout << quorvane::kAlreadyRunning << std::endl;
    return 0;
  }
  if (platform == "offscreen")
    std::cout << "No display found: Quorvane runs without a window and keeps logging." << std::endl;

  quorvane::Assembly assembly(QApplication::applicationFilePath().toStdString(), metrics_folder);
  quorvane::Form1Window window(assembly.history());
  quorvane::QtTrayIcon tray;
  quorvane::DBusNotifications notifications;
  quorvane::MessageBoxDialogs dialogs;
  dialogs.set_parent(&window);
  quorvane::QtDesktop desktop;
  quorvane::QtMessageLoop loop;
  quorvane::Form1& form =
      assembly.BuildForm({window, tray, dialogs, desktop, loop}, &notifications);
  window.Attach(form);
  tray.Attach(form);
  notifications.Attach(form);
  // The window may be hidden in the tray; the program ends when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&instance, &quorvane::SingleInstance::ShowRequested, &window,
                   [&form] { form.BringToFront(); });
  // The session's end, systemctl and kill close Quorvane as its close button does,
  // so the records still waiting reach the journal.
  quorvane::EndSignals end_signals([&form] { form.CloseRequested(); });
  quorvane::FirstPaintReporter first_paint;
  window.installEventFilter(&first_paint);
  form.Load();
  if (!quorvane::PlatformReportsMinimise()) quorvane::TellMinimiseStaysOnTaskbar();
  std::cout << "Quorvane is running; its history log is " << form.LogFilePath().string()
            << std::endl;
  const int status = QApplication::exec();
  window.hide();
  // The reading under way ends and its record, with those still waiting, is
  // written. A reading stuck in the system is left to end with the process.
  if (!form.EndReadings()) {
    std::cout.flush();
    std::_Exit(status);
  }
  return status;
}
