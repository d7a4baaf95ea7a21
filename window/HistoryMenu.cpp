#include "window/HistoryMenu.h"

#include "base/PathText.h"
#include "sampling/FileOperations.h"
#include "settings/Settings.h"

namespace quorvane {
namespace {

constexpr const char* kSignalReportItem = "Signal Report…";
constexpr const char* kExportCsvItem = "Export History as CSV…";
constexpr const char* kNetworkProbesItem = "Probe the Router and the Internet";
constexpr const char* kNotifyDropsItem = "Notify When the Connection Drops";
constexpr const char* kNotifyWeakItem = "Notify When the Signal Stays Weak";

// A description as the end of a message: it gets its full stop.
std::string Sentence(std::string text) {
  if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
  return text;
}

}  // namespace

HistoryMenu::HistoryMenu(const std::filesystem::path& log_file, Services services)
    : log_file_(log_file),
      dialogs_(services.dialogs),
      desktop_(services.desktop),
      settings_(services.settings),
      maker_(services.clock, services.loop) {}

std::vector<MenuItem> HistoryMenu::Items() const {
  std::vector<MenuItem> items = {{HistoryCommand::kSignalReport, kSignalReportItem, !busy()},
                                 {HistoryCommand::kExportCsv, kExportCsvItem, !busy()}};
  if (probes_toggled_)
    items.push_back({HistoryCommand::kNetworkProbes, kNetworkProbesItem, true, true, probes_on_});
  if (notify_toggled_) {
    items.push_back({HistoryCommand::kNotifyDrops, kNotifyDropsItem, true, true, notify_drops_});
    items.push_back({HistoryCommand::kNotifyWeak, kNotifyWeakItem, true, true, notify_weak_});
  }
  return items;
}

void HistoryMenu::Choose(HistoryCommand command) {
  // The switches are no reports: they answer also while one is made.
  if (command == HistoryCommand::kNetworkProbes) {
    if (probes_toggled_) probes_toggled_(!probes_on_);
    return;
  }
  if (command == HistoryCommand::kNotifyDrops || command == HistoryCommand::kNotifyWeak) {
    const bool on = command == HistoryCommand::kNotifyDrops ? notify_drops_ : notify_weak_;
    if (notify_toggled_) notify_toggled_(command, !on);
    return;
  }
  // A menu opened before a report started may still offer its commands.
  if (busy()) return;
  if (command == HistoryCommand::kSignalReport) MakeSignalReport();
  if (command == HistoryCommand::kExportCsv) ExportCsv();
}

bool HistoryMenu::HistoryExists(const char* nothing_to_text) {
  const bool exists = !log_file_.empty() && FileExists(log_file_);
  if (!exists)
    dialogs_.Inform(std::string("There isn't a history to ") + nothing_to_text +
                    " because actions have not been performed yet.");
  return exists;
}

void HistoryMenu::MakeSignalReport() {
  if (!HistoryExists("report")) return;
  const std::filesystem::path page = log_file_.parent_path() / kReportFileName;
  maker_.Start(log_file_, report::Format::kHtml, page, [this, page](const std::string& error) {
    if (!error.empty()) {
      dialogs_.Warn("The signal report could not be made.\r\n\r\n" + Sentence(error));
      return;
    }
    const auto not_opened = [this, page](const std::string& description) {
      dialogs_.Warn("The signal report " + PathText(page) + " could not be opened.\r\n\r\n" +
                    Sentence(description));
    };
    try {
      desktop_.OpenInBrowser(page, not_opened);
    } catch (const std::exception& failure) {
      not_opened(failure.what());
    }
  });
}

std::optional<std::filesystem::path> HistoryMenu::AskSaveAs(SaveFileQuestion question) {
  const std::filesystem::path last = PathFromText(GetSetting(settings_, setting::kSaveFolder));
  std::error_code error;
  if (!last.empty() && std::filesystem::is_directory(last, error)) question.folder = last;
  auto target = dialogs_.AskSaveAs(question);
  if (target) {
    try {
      SaveSetting(settings_, setting::kSaveFolder, PathText(target->parent_path()));
    } catch (const std::exception&) {
      // Only the next dialog's folder depends on it; a store that refuses
      // writes was reported at start-up.
    }
  }
  return target;
}

void HistoryMenu::ExportCsv() {
  if (!HistoryExists("export")) return;
  const auto target = AskSaveAs({"Export History as CSV", "Quorvane.csv", "CSV files", "csv", {}});
  if (!target) return;
  maker_.Start(log_file_, report::Format::kCsv, *target, [this](const std::string& error) {
    if (!error.empty())
      dialogs_.Warn("The history could not be exported.\r\n\r\n" + Sentence(error));
  });
}

}  // namespace quorvane
