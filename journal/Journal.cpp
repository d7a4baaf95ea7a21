#include "journal/Journal.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "base/WholeNumber.h"
#include "journal/CsvFields.h"
#include "platform/AppError.h"
#include "platform/Files.h"
#include "sampling/FileOperations.h"

namespace quorvane::journal {
namespace {

struct MonthFile {
  int number;
  std::filesystem::path path;
};

std::vector<MonthFile> MonthFiles(const std::filesystem::path& folder) {
  std::vector<MonthFile> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    int year = 0;
    int month = 0;
    if (ParseMonthFileName(it->path().filename().string(), year, month))
      files.push_back({MonthNumber(year, month), it->path()});
  }
  std::sort(files.begin(), files.end(),
            [](const MonthFile& a, const MonthFile& b) { return a.number < b.number; });
  return files;
}

}  // namespace

std::optional<int> MonthsKeptFromText(std::string_view text) {
  return BoundedWholeNumber(text, 1200);
}

bool ParseMonthFileName(const std::string& name, int& year, int& month) {
  if (name.size() != 11 || name[4] != '-' || name.substr(7) != ".csv") return false;
  for (const std::size_t i : {0, 1, 2, 3, 5, 6})
    if (name[i] < '0' || name[i] > '9') return false;
  year = std::stoi(name.substr(0, 4));
  month = std::stoi(name.substr(5, 2));
  return month >= 1 && month <= 12;
}

std::filesystem::path Journal::MonthFile(int year, int month) const {
  char name[16];
  std::snprintf(name, sizeof name, "%04d-%02d.csv", year % 10000, month);
  return folder_ / name;
}

std::vector<std::filesystem::path> MonthFilesInOrder(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> paths;
  for (auto& file : MonthFiles(folder)) paths.push_back(std::move(file.path));
  return paths;
}

void Journal::DeleteOldMonths(int year, int month, int months_kept) {
  const int oldest_kept = MonthNumber(year, month) - months_kept;
  for (const auto& file : MonthFiles(folder_))
    if (file.number < oldest_kept) DeleteFileQuietly(file.path);
  // Written later, they would bring a deleted month back.
  std::erase_if(waiting_, [&](const WaitingRows& rows) {
    if (rows.month_number >= oldest_kept) return false;
    waiting_count_ -= rows.count;
    return true;
  });
}

bool Journal::Clear() {
  waiting_.clear();
  waiting_count_ = 0;
  for (const auto& file : MonthFiles(folder_)) DeleteFileQuietly(file.path);
  return MonthFiles(folder_).empty();
}

bool RowReader::Read(std::string_view line, JournalRecord& record) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || header_refused_) return false;
  if (!columns_) {
    // The first line names the columns; without a time there is nothing to read.
    if (SplitRow(line, split_, unquoted_)) columns_.emplace(split_);
    header_refused_ = !columns_ || !columns_->Has(Column::kTime);
    return false;
  }
  // Most rows hold no quote: their fields are read where they are. The others are
  // split field by field.
  std::size_t count = 0;
  bool whole = columns_->FieldsOfText(line, fields_, count);
  if (!whole && SplitRow(line, split_, unquoted_)) {
    fields_ = columns_->Fields(split_);
    count = split_.size();
    whole = true;
  }
  if (!whole || !columns_->FitsHeader(count) || !ParseRecord(fields_, record, parts_, times_)) {
    ++outcome_.damaged_lines;
    return false;
  }
  ++outcome_.records;
  return true;
}

void RowReader::ReadCut(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // A header cut short names no rows to count.
  if (!line.empty() && columns_ && !header_refused_) ++outcome_.damaged_lines;
}

void JournalReader::Feed(std::string_view bytes) {
  ForEachLine(carried_, bytes, [&](std::string_view line) {
    if (rows_.Read(line, record_)) visit_(record_);
  });
}

ReadOutcome JournalReader::Finish() {
  if (!carried_.empty()) rows_.ReadCut(carried_);
  const ReadOutcome outcome = rows_.outcome();
  *this = JournalReader(visit_);
  return outcome;
}

ReadOutcome ReadJournalText(std::string_view text,
                            const std::function<void(const JournalRecord&)>& visit) {
  JournalReader reader(visit);
  reader.Feed(text);
  return reader.Finish();
}

ReadOutcome ReadJournal(const std::filesystem::path& folder,
                        const std::function<void(const JournalRecord&)>& visit) {
  return ReadJournalBatches(folder, RecordParts{}, [&](std::span<const JournalRecord> batch) {
    for (const JournalRecord& record : batch) visit(record);
  });
}

}  // namespace quorvane::journal
