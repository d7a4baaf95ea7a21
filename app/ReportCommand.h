#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace quorvane {

// Exit statuses of the report options.
inline constexpr int kExitReportWritten = 0;  // also after --help and --version
inline constexpr int kExitReportFailed = 1;   // the log could not be read or the report written
inline constexpr int kExitUsage = 2;          // the command line could not be followed

// Where a report from the command line goes and what it reads.
struct ReportSetting {
  std::filesystem::path own_log;  // Quorvane's own history log
  const Clock& clock;
  std::ostream* out;     // the report without -o; none when there is nowhere to write it
  std::ostream& errors;  // one line when something fails
};

// The report options, --help and --version, handled before anything else. Returns
// the exit status when the command line asks for one of them or cannot be followed,
// nothing when the program should run as usual.
std::optional<int> RunReportOptions(const std::vector<std::string>& arguments,
                                    const ReportSetting& setting);

}  // namespace quorvane
