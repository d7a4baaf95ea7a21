#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalRecord.h"
#include "journal/JournalRows.h"
#include "platform/Files.h"

namespace quorvane::journal {

inline constexpr int kDefaultMonthsKept = 13;

// Records kept in memory while another program holds their month file: a day of
// samples at the shortest interval, one second.
inline constexpr std::size_t kMostWaitingRecords = 86400;

// How rows reach a month file: the system's AppendRecord, or a test's stand-in.
using RowsAppender = std::function<void(const std::filesystem::path& file, std::string_view header,
                                        std::string_view rows, WhileHeld while_held)>;

// What became of an appended record, beside a failure (thrown).
struct AppendOutcome {
  std::filesystem::path held_file;  // held by another program; its records wait; empty when none
  bool dropped = false;             // the oldest waiting record was let go to make room
};

// The journal's folder: one CSV file per month of local time, "2026-12.csv", each
// beginning with its header row. Files and folder are the owner's only.
class Journal {
 public:
  explicit Journal(std::filesystem::path folder, RowsAppender append = {},
                   std::size_t most_waiting = kMostWaitingRecords);

  const std::filesystem::path& folder() const { return folder_; }

  // Appends the record to its month's file, after the records still waiting for
  // theirs, creating the folder and the file as needed. The header of a new or
  // empty file goes out in the same write as the records, so a record is whole or
  // absent, however the program ends. A file that another program holds is never
  // waited for: the records wait in memory, in order, and go out in one write with
  // the next record once it is free; beyond `most_waiting` the oldest are let go.
  // Any other failure throws AppError with the reason ("Permission denied", "Disk
  // full"); the records of the write that failed are lost, as a sample is when the
  // log cannot be written.
  AppendOutcome Append(const JournalRecord& record);

  // The last try at the waiting records, for closing: a held file is waited for
  // about a second. Returns how many could not be written, which are let go.
  std::size_t FinishWriting();

  std::size_t waiting() const { return waiting_count_; }
  std::uint64_t dropped() const { return dropped_; }  // let go to make room, in this run

  // Deletes the month files before the current month's `months_kept` whole
  // months, and the waiting records of those months. Never throws; a file that
  // cannot be deleted is left.
  void DeleteOldMonths(int year, int month, int months_kept);

  // Deletes every month file and every waiting record. Never throws; returns false
  // when a file is still there.
  bool Clear();

  // The month file of a local year and month.
  std::filesystem::path MonthFile(int year, int month) const;

 private:
  // Consecutive waiting records of one month file, as the one write they go out in.
  struct WaitingRows {
    int month_number;
    std::filesystem::path file;
    std::string rows;  // joined by line ends, without one after the last
    std::size_t count;
  };
  void Keep(std::filesystem::path file, std::string row);
  void DropOldest();    // the oldest record, to make room
  void ForgetOldest();  // the oldest file's records, written or failed
  // Writes the waiting records in order; returns the held file they stopped at.
  std::filesystem::path WriteWaiting(WhileHeld while_held);
  void WriteRows(const WaitingRows& rows, WhileHeld while_held);

  std::filesystem::path folder_;
  RowsAppender append_;
  std::size_t most_waiting_;
  std::deque<WaitingRows> waiting_;
  std::size_t waiting_count_ = 0;
  std::uint64_t dropped_ = 0;
};

// The "Journal Months" setting's text as a number of months (0 to 1200, blanks
// around it allowed); none for anything else.
std::optional<int> MonthsKeptFromText(std::string_view text);

// The month files of the folder, in order of their months.
std::vector<std::filesystem::path> MonthFilesInOrder(const std::filesystem::path& folder);

// Months counted from year 0, so that consecutive months differ by one.
inline int MonthNumber(int year, int month) { return year * 12 + (month - 1); }

// "2026-12.csv" → year 2026, month 12; false for any other name.
bool ParseMonthFileName(const std::string& name, int& year, int& month);

// One month file's rows read as its bytes come, in blocks cut anywhere: each row
// by its columns' names, handed to `visit`; a damaged line skipped and counted.
class JournalReader {
 public:
  explicit JournalReader(std::function<void(const JournalRecord&)> visit)
      : visit_(std::move(visit)) {}
  void Feed(std::string_view bytes);
  // The file's end: a last line without its line end is counted as damaged (RowReader::ReadCut).
  // Ready for the next file.
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
