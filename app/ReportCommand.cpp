#include "app/ReportCommand.h"

#include "app/CommandLine.h"
#include "report/Report.h"

namespace quorvane {

std::optional<int> RunReportOptions(const std::vector<std::string>& arguments,
                                    const ReportSetting& setting) {
  CommandLine line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const CommandLineError& error) {
    setting.errors << "Quorvane: " << error.what() << std::endl;
    return kExitUsage;
  }
  if (line.help || line.version) {
    // Without a console, Quorvane.exe shows what goes to `errors` in a message box.
    std::ostream& out = setting.out ? *setting.out : setting.errors;
    if (line.help)
      out << UsageText();
    else
      out << "Quorvane " << QUORVANE_VERSION << std::endl;
    out.flush();
    return kExitReportWritten;
  }
  if (!line.report) return std::nullopt;
  const ReportRequest& request = *line.report;
  const std::filesystem::path log = request.log.value_or(setting.own_log);
  try {
    if (request.output) {
      report::WriteReportFile(log, request.format, setting.clock, *request.output);
    } else if (setting.out) {
      report::WriteReport(log, request.format, setting.clock, *setting.out);
      setting.out->flush();
      if (!*setting.out) throw report::ReportError("Cannot write the report: output closed");
    } else {
      setting.errors << "Quorvane: there is no console to write the report to; name a file "
                        "with -o FILE"
                     << std::endl;
      return kExitUsage;
    }
  } catch (const report::ReportError& error) {
    setting.errors << "Quorvane: " << error.what() << std::endl;
    return kExitReportFailed;
  }
  return kExitReportWritten;
}

}  // namespace quorvane
