#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalRecord.h"
#include "journal/JournalRows.h"

namespace quorvane::journal {

inline constexpr int kDefaultMonthsKept = 13;

// The journal's folder: one CSV file per month of local time, "2026-12.csv", each
// beginning with its header row. Files and folder are the owner's only.
class Journal {
 public:
  explicit Journal(std::filesystem::path folder) : folder_(std::move(folder)) {}

  const std::filesystem::path& folder() const { return folder_; }

  // Appends the record to its month's file, creating the folder and the file as
  // needed. The header of a new or empty file goes out in the same write as the
  // record, so a record is whole or absent, however the program ends. Throws
  // AppError with the reason ("Permission denied", "Disk full").
  void Append(const JournalRecord& record);

  // Deletes the month files before the current month's `months_kept` whole
  // months. Never throws; a file that cannot be deleted is left.
  void DeleteOldMonths(int year, int month, int months_kept);

  // Deletes every month file. Never throws; returns false when one is still there.
  bool Clear();

  // The month file of a local year and month.
  std::filesystem::path MonthFile(int year, int month) const;

 private:
  std::filesystem::path folder_;
};

// The "Journal Months" setting's text as a number of months (0 to 1200, blanks
// around it allowed); none for anything else.
std::optional<int> MonthsKeptFromText(std::string_view text);

// The month files of the folder, in order of their months.
std::vector<std::filesystem::path> MonthFilesInOrder(const std::filesystem::path& folder);

// "2026-12.csv" → year 2026, month 12; false for any other name.
bool ParseMonthFileName(const std::string& name, int& year, int& month);

// One month file's rows read as its bytes come, in blocks cut anywhere: each row
// by its columns' names, handed to `visit`; a damaged line skipped and counted.
class JournalReader {
 public:
  explicit JournalReader(std::function<void(const JournalRecord&)> visit)
      : visit_(std::move(visit)) {}
  void Feed(std::string_view bytes);
  // The file's end: its last line even without a line end. Ready for the next file.
  ReadOutcome Finish();

 private:
  std::function<void(const JournalRecord&)> visit_;
  std::string carried_;  // a line cut by the end of a block
  RowReader rows_;
  JournalRecord record_;
};

// Reads the journal's month files in order of their months, a block at a time, each row by its
// columns' names, and hands each record to `visit`. A damaged line is skipped and
// counted; the rest still stands. Throws AppError when a file cannot be read.
ReadOutcome ReadJournal(const std::filesystem::path& folder,
                        const std::function<void(const JournalRecord&)>& visit);

// The same, in batches of records in the same order, each record with the parts
// asked for: what a reader of the whole journal calls, once a batch.
ReadOutcome ReadJournalBatches(
    const std::filesystem::path& folder, RecordParts parts,
    const std::function<void(std::span<const JournalRecord>)>& visit_batch);

// The same for one file's text.
ReadOutcome ReadJournalText(std::string_view text,
                            const std::function<void(const JournalRecord&)>& visit);

}  // namespace quorvane::journal
