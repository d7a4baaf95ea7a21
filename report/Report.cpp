#include "report/Report.h"

#include <fstream>
#include <ostream>
#include <string>

namespace quorvane::report {

std::optional<Format> ParseFormat(std::string_view name) {
  if (name == "html") return Format::kHtml;
  if (name == "csv") return Format::kCsv;
  if (name == "json") return Format::kJson;
  return std::nullopt;
}

void WriteReport(const std::filesystem::path& log, Format, const Clock&, std::ostream& out) {
  std::ifstream in(log, std::ios::binary);
  if (!in) throw ReportError("Cannot read " + log.string());
  out << "Quorvane signal report of " << log.string() << "\n";
}

void WriteReportFile(const std::filesystem::path& log, Format format, const Clock& clock,
                     const std::filesystem::path& out_file) {
  std::filesystem::path temporary = out_file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw ReportError("Cannot write " + temporary.string());
    WriteReport(log, format, clock, out);
    out.flush();
    if (!out) throw ReportError("Cannot write " + temporary.string());
  }
  std::error_code error;
  std::filesystem::rename(temporary, out_file, error);
  if (error) throw ReportError("Cannot write " + out_file.string() + ": " + error.message());
}

}  // namespace quorvane::report
