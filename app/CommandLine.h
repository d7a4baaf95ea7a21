#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/Report.h"

namespace quorvane {

// quorvane --report [LOG] [-o FILE] [--format html|csv|json]: a report of the
// history log, made without a window.
struct ReportRequest {
  std::optional<std::filesystem::path> log;     // Quorvane's own log when absent
  std::optional<std::filesystem::path> output;  // standard output when absent
  report::Format format = report::Format::kHtml;
};

// What the programs were asked on their command line. Without options both run
// the window as usual.
struct CommandLine {
  std::optional<ReportRequest> report;
  // --metrics-folder DIR: wins over the "Metrics Folder" setting for this run.
  std::optional<std::filesystem::path> metrics_folder;
};

// A command line that cannot be followed; the text is one line for the user.
class CommandLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `arguments` without the program's own name. Options of the toolkit's own
// (one dash, as -platform xcb) are left for it. Throws CommandLineError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace quorvane
