#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/OperatingSystem.h"
#include "report/Report.h"

namespace quorvane {

// quorvane --report [LOG] [-o FILE] [--format html|csv|json]: a report of the
// history log, made without a window.
struct ReportRequest {
  std::optional<std::filesystem::path> log;     // Quorvane's own log when absent
  std::optional<std::filesystem::path> output;  // standard output when absent
  // --format; without it, from the output file's extension (.json, .csv), else HTML.
  report::Format format = report::Format::kHtml;
};

// What the programs were asked on their command line. Without options both run
// the window as usual.
struct CommandLine {
  bool help = false;     // --help or -h (and /? on Windows): the usage, then exit
  bool version = false;  // --version
  std::optional<ReportRequest> report;
  // --metrics-folder DIR: wins over the "Metrics Folder" setting for this run.
  std::optional<std::filesystem::path> metrics_folder;
};

// A command line that cannot be followed; the text is one line for the user.
class CommandLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Windows programs also take "/?" for help.
#ifdef _WIN32
inline constexpr bool kWindowsCommandLine = true;
#else
inline constexpr bool kWindowsCommandLine = false;
#endif

// `arguments` without the program's own name. Options of the toolkit's own that
// it documents (one dash, as -platform xcb) are left for it; any other argument
// that is not understood (a second log, a lone "-", an unknown option) is a
// mistake. Throws CommandLineError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Whether the command line is answered in text, the program then ending: the
// usage, the version, a report, or what is wrong with it. Otherwise it asks for
// the logger, which keeps no console: a console it held would end it with Ctrl+C
// or when closed, and the prompt that started it would wait for it.
bool AnswersInText(const std::vector<std::string>& arguments);

// What --help prints, naming the program as it is typed on that system.
std::string UsageText(OperatingSystem system = kThisSystem);

// What a second start says, having asked the running copy to come forward.
inline constexpr const char* kAlreadyRunning =
    "Quorvane is already running; it was asked to bring its window to the front.";

}  // namespace quorvane
