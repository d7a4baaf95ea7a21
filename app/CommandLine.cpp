#include "app/CommandLine.h"

namespace quorvane {
namespace {

// Arguments are UTF-8 on both platforms.
std::filesystem::path PathOf(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

const std::string& ValueOf(const std::vector<std::string>& arguments, std::size_t& i) {
  if (i + 1 >= arguments.size()) throw CommandLineError(arguments[i] + " needs a value");
  return arguments[++i];
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  ReportRequest report;
  bool wants_report = false;
  bool report_options = false;  // -o or --format seen
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--report") {
      wants_report = true;
      // The log is optional: the next argument is it unless it is an option.
      if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-"))
        report.log = PathOf(arguments[++i]);
    } else if (argument == "-o" || argument == "--output") {
      report_options = true;
      report.output = PathOf(ValueOf(arguments, i));
    } else if (argument == "--format") {
      report_options = true;
      const std::string& name = ValueOf(arguments, i);
      const auto format = report::ParseFormat(name);
      if (!format)
        throw CommandLineError("Unknown report format \"" + name + "\": use html, csv or json");
      report.format = *format;
    } else if (argument == "--metrics-folder") {
      line.metrics_folder = PathOf(ValueOf(arguments, i));
    } else if (argument.starts_with("--")) {
      throw CommandLineError("Unknown option " + argument);
    }
  }
  if (report_options && !wants_report) throw CommandLineError("-o and --format go with --report");
  if (wants_report) line.report = report;
  return line;
}

}  // namespace quorvane
