#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "window/Dialogs.h"
#include "window/Form1View.h"
#include "window/ReportMaker.h"

namespace quorvane {

// The commands of the history list's context menu.
enum class HistoryCommand { kSignalReport, kExportCsv, kNetworkProbes, kNotifyDrops, kNotifyWeak };

struct MenuItem {
  HistoryCommand command;
  std::string text;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
};

// The report is written beside the history log under this name.
inline constexpr const char* kReportFileName = "Quorvane-report.html";
// Shown in the history list's own area while it has no line, and read by screen
// readers, so that the commands of its context menu are found; it goes with the
// first line.
inline constexpr const char* kEmptyHistoryCue =
    "Right-click here for the signal report, the export, probes and notifications";

// The history list's context menu: which commands it offers and what each does.
// The reports are made off the user-interface thread, one at a time; while one is
// under way the commands are offered greyed.
class HistoryMenu {
 public:
  struct Services {
    const Clock& clock;
    Dialogs& dialogs;
    Desktop& desktop;
    MessageLoop& loop;
    SettingsStore& settings;  // remembers the folder last saved to
  };

  // `log_file` is the history log's path, known once start-up has set it.
  HistoryMenu(const std::filesystem::path& log_file, Services services);

  std::vector<MenuItem> Items() const;
  void Choose(HistoryCommand command);
  bool busy() const { return maker_.busy(); }

  // The network probes' switch: offered where the system can probe, checked while
  // on; choosing it hands `toggled` the new state.
  void OfferNetworkProbes(bool on, std::function<void(bool on)> toggled) {
    probes_on_ = on;
    probes_toggled_ = std::move(toggled);
  }
  void ShowNetworkProbes(bool on) { probes_on_ = on; }
  // The notifications' two switches, checked while on; choosing one hands
  // `toggled` its command and new state.
  void OfferNotifications(bool drops, bool weak,
                          std::function<void(HistoryCommand command, bool on)> toggled) {
    notify_drops_ = drops;
    notify_weak_ = weak;
    notify_toggled_ = std::move(toggled);
  }
  void ShowNotifications(bool drops, bool weak) {
    notify_drops_ = drops;
    notify_weak_ = weak;
  }

 private:
  void MakeSignalReport();
  void ExportCsv();
  // False, after telling the user, when there is no log to report on yet.
  bool HistoryExists(const char* nothing_to_text);
  // Asks where to save, in the folder saved to last time while it is there.
  std::optional<std::filesystem::path> AskSaveAs(SaveFileQuestion question);

  const std::filesystem::path& log_file_;
  Dialogs& dialogs_;
  Desktop& desktop_;
  SettingsStore& settings_;
  ReportMaker maker_;
  bool probes_on_ = false;
  std::function<void(bool on)> probes_toggled_;  // none: not offered
  bool notify_drops_ = false;
  bool notify_weak_ = false;
  std::function<void(HistoryCommand command, bool on)> notify_toggled_;  // none: not offered
};

}  // namespace quorvane
