#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "platform/Clock.h"

namespace quorvane::report {

// What a report of the history log is written as.
enum class Format { kHtml, kCsv, kJson };

// "html", "csv" or "json"; nothing for any other text.
std::optional<Format> ParseFormat(std::string_view name);

// A report that could not be made. Its text is one line naming the file and the
// reason, fit for a message box or a terminal.
class ReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The journal's folder, whose outages the HTML and JSON reports add for the time
// the log covers. Named once at start-up, before any report is made.
void UseJournalFolder(std::filesystem::path folder);

// Reads the whole history log `log` and writes its report in `format` to `out`.
// `clock` tells the date and time form Quorvane writes now, which the log's lines
// are read with first. Lines that cannot be read are counted and skipped. Throws
// ReportError when the log cannot be read or the report cannot be written.
void WriteReport(const std::filesystem::path& log, Format format, const Clock& clock,
                 std::ostream& out);

// The same into the file `out_file`, written under a temporary name beside it and
// renamed over it when complete, so a reader never sees half a report.
void WriteReportFile(const std::filesystem::path& log, Format format, const Clock& clock,
                     const std::filesystem::path& out_file);

}  // namespace quorvane::report
