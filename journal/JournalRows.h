#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalRecord.h"

namespace quorvane::journal {

struct ReadOutcome {
  std::uint64_t records = 0;
  std::uint64_t damaged_lines = 0;  // cut or changed by hand; skipped

  ReadOutcome& operator+=(const ReadOutcome& other) {
    records += other.records;
    damaged_lines += other.damaged_lines;
    return *this;
  }
};

// The lines of a file's bytes as they come in blocks cut anywhere: each whole line,
// without its line end, handed to `on_line`. A line cut by the block's end waits in
// `carried` for the block that brings its end.
template <typename OnLine>
void ForEachLine(std::string& carried, std::string_view bytes, OnLine&& on_line) {
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  if (!carried.empty()) {
    const auto* line_end = static_cast<const char*>(std::memchr(at, '\n', bytes.size()));
    if (!line_end) {
      carried.append(at, bytes.size());
      return;
    }
    carried.append(at, static_cast<std::size_t>(line_end - at));
    on_line(std::string_view(carried));
    carried.clear();
    at = line_end + 1;
  }
  while (const auto* line_end =
             static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) {
    on_line(std::string_view(at, static_cast<std::size_t>(line_end - at)));
    at = line_end + 1;
  }
  carried.assign(at, static_cast<std::size_t>(end - at));
}

// One month file's lines in order: the first names the columns, each later one is
// read by them into a record or counted as damaged.
class RowReader {
 public:
  explicit RowReader(RecordParts parts = {}) : parts_(parts) {}

  // True when `record` now holds the line's row; what else it holds is left as it was.
  bool Read(std::string_view line, JournalRecord& record);
  // The file's last line when it has no line end. Every row is written with its end,
  // so this one was cut short (a write cut off, or a file read while written): it is
  // counted as damaged, never read, as its last field may be cut too.
  void ReadCut(std::string_view line);
  const ReadOutcome& outcome() const { return outcome_; }
  // Whether the file's first line, its header, has been read.
  bool HeaderRead() const { return columns_.has_value() || header_refused_; }

 private:
  RecordParts parts_;
  std::optional<ColumnIndex> columns_;
  bool header_refused_ = false;  // a file whose first line names no time: not read
  RecordFields fields_;
  IsoTimeMemo times_;
  std::vector<std::string_view> split_;  // a row with quotes, split field by field
  std::string unquoted_;
  ReadOutcome outcome_;
};

}  // namespace quorvane::journal
