#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "report/Sample.h"

namespace quorvane::report {

// The CSV export, one row per sample: the time in ISO 8601 with the local offset
// from UTC at that moment, the method (1 or 2), the value, connected (yes or no)
// and the line's own text. UTF-8 with a byte order mark and CR LF line ends, as
// spreadsheets open it without asking.
class CsvWriter {
 public:
  explicit CsvWriter(std::ostream& out);
  void Row(const Sample& sample);
  // Hands what is buffered to the stream. Throws ReportError when it failed.
  void Flush();

 private:
  std::ostream& out_;
  std::string buffer_;
  std::int64_t day_ = INT64_MIN;  // the local day of the row before, and its date
  LocalDateTime date_;
};

}  // namespace quorvane::report
