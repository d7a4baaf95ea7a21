#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/PathText.h"

namespace quorvane {
namespace {

// The toolkit's own options that the Linux program passes on to it, as Qt documents
// them: those that take a value, and those that do not.
constexpr std::array<std::string_view, 12> kToolkitOptionsWithValue = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-display",         "-geometry",           "-style",         "-stylesheet"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"-reverse", "-widgetcount", "-nograb",
                                                           "-dograb", "-sync"};

bool IsToolkitOption(std::string_view argument, bool& takes_value) {
  takes_value = std::find(kToolkitOptionsWithValue.begin(), kToolkitOptionsWithValue.end(),
                          argument) != kToolkitOptionsWithValue.end();
  if (takes_value) return true;
  const std::string_view name = argument.substr(0, argument.find('='));
  return std::find(kToolkitFlags.begin(), kToolkitFlags.end(), argument) != kToolkitFlags.end() ||
         ((name == "-style" || name == "-stylesheet" || name == "-qmljsdebugger") &&
          name.size() < argument.size());
}

// An option's value: after "=" in the same argument (--format=csv, -o=FILE), or
// the next argument.
std::string ValueOf(const std::vector<std::string>& arguments, std::size_t& i, std::size_t equals) {
  const std::string& argument = arguments[i];
  if (equals != std::string::npos) {
    if (equals + 1 == argument.size())
      throw CommandLineError(argument.substr(0, equals) + " needs a value");
    return argument.substr(equals + 1);
  }
  if (i + 1 >= arguments.size()) throw CommandLineError(argument + " needs a value");
  return arguments[++i];
}

// Without --format, the report takes the form its file's name asks for: a
// script writing "-o week.json" wants JSON, not HTML under that name.
report::Format FormatOfFileName(const std::filesystem::path& file) {
  std::string extension = PathText(file.extension());
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  if (extension == ".json") return report::Format::kJson;
  if (extension == ".csv") return report::Format::kCsv;
  return report::Format::kHtml;
}

}  // namespace

std::string UsageText(OperatingSystem system) {
  // The name the user types: on Windows that is the program's file.
  const std::string name = system == OperatingSystem::kWindows ? "Quorvane.exe" : "quorvane";
  return "Usage: " + name + " [--metrics-folder DIR]\n" + "       " + name +
         " --report [LOG] [-o FILE] [--format html|csv|json]\n" + "       " + name +
         " --help | --version\n" +
         "\n"
         "Without options Quorvane runs its window and logs the WiFi signal.\n"
         "  --report [LOG]        write the signal report of LOG (Quorvane's own log when\n"
         "                        left out) without a window, also while Quorvane runs\n"
         "  -o, --output FILE     the report into FILE rather than to standard output\n"
         "  --format FORMAT       html, csv or json; without it the format follows FILE's\n"
         "                        extension (.json, .csv), otherwise html\n"
         "  --metrics-folder DIR  leave the metrics for Prometheus in DIR for this run\n"
         "  -h, --help            show this help\n"
         "  --version             show the version\n"
         "\n"
         "Exit status: 0 done, 1 the log could not be read or the report not written,\n"
         "2 a command line that cannot be followed.\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  ReportRequest report;
  bool wants_report = false;
  bool report_options = false;  // -o or --format seen
  bool format_given = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // "--format=json" and "-o=FILE" as well as "--format json" and "-o FILE".
    const std::size_t equals = argument.starts_with("-") ? argument.find('=') : std::string::npos;
    const std::string name = argument.substr(0, equals);
    bool takes_value = false;
    if (argument == "--help" || argument == "-h" || (kWindowsCommandLine && argument == "/?")) {
      line.help = true;
    } else if (argument == "--version") {
      line.version = true;
    } else if (argument == "--report") {
      wants_report = true;
      // The log is optional: the next argument is it unless it is an option.
      if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-"))
        report.log = PathFromText(arguments[++i]);
    } else if (name == "-o" || name == "--output") {
      // A second -o would silently drop the first file: say so instead.
      if (report.output) throw CommandLineError(name + ": only one output file can be given");
      report_options = true;
      report.output = PathFromText(ValueOf(arguments, i, equals));
    } else if (name == "--format") {
      report_options = true;
      const std::string format_name = ValueOf(arguments, i, equals);
      const auto format = report::ParseFormat(format_name);
      if (!format)
        throw CommandLineError("Unknown report format \"" + format_name +
                               "\": use html, csv or json");
      report.format = *format;
      format_given = true;
    } else if (name == "--metrics-folder") {
      line.metrics_folder = PathFromText(ValueOf(arguments, i, equals));
    } else if (argument.starts_with("-") && !argument.starts_with("--") &&
               IsToolkitOption(argument, takes_value)) {
      if (takes_value) ValueOf(arguments, i, std::string::npos);
    } else if (argument.size() > 1 && argument.starts_with("-")) {
      throw CommandLineError("Unknown option " + argument + " (see --help)");
    } else if (wants_report && !report.log && argument != "-") {
      report.log = PathFromText(argument);  // the log after the report's options
    } else {
      throw CommandLineError("Unexpected argument \"" + argument + "\" (see --help)");
    }
  }
  if (line.help || line.version) return line;
  if (report_options && !wants_report) throw CommandLineError("-o and --format go with --report");
  if (wants_report && !format_given && report.output)
    report.format = FormatOfFileName(*report.output);
  if (wants_report) line.report = report;
  return line;
}

bool AnswersInText(const std::vector<std::string>& arguments) {
  try {
    const CommandLine line = ParseCommandLine(arguments);
    return line.help || line.version || line.report.has_value();
  } catch (const CommandLineError&) {
    return true;
  }
}

}  // namespace quorvane
