// Appending to the journal without ever waiting for a file another program holds.
#include <system_error>
#include <utility>

#include "journal/Journal.h"

namespace quorvane::journal {
namespace {

void CreateOwnerOnlyFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return;
  const std::filesystem::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder) CreateOwnerOnlyFolder(parent);
  if (!std::filesystem::create_directory(folder, error) && error) throw AppError(error.message());
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace, error);
}

void AppendToFile(const std::filesystem::path& file, std::string_view header, std::string_view rows,
                  WhileHeld while_held) {
  AppendRecord(file, header, rows, while_held);
}

}  // namespace

Journal::Journal(std::filesystem::path folder, RowsAppender append, std::size_t most_waiting)
    : folder_(std::move(folder)),
      append_(append ? std::move(append) : RowsAppender(AppendToFile)),
      most_waiting_(most_waiting) {}

AppendOutcome Journal::Append(const JournalRecord& record) {
  // The row begins with the local date: its year and month name the file.
  std::string row = FormatRecord(record);
  std::filesystem::path file = folder_ / (row.substr(0, 7) + ".csv");
  Keep(std::move(file), std::move(row));
  // The window's thread calls this with every sample: a held file is tried again
  // with the next one rather than waited for.
  AppendOutcome outcome;
  outcome.held_file = WriteWaiting(WhileHeld::kGiveUp);
  if (waiting_count_ > most_waiting_) {
    DropOldest();
    outcome.dropped = true;
  }
  return outcome;
}

std::size_t Journal::FinishWriting() {
  // A file that fails otherwise loses its own records only; the others still go.
  while (!waiting_.empty()) {
    try {
      if (!WriteWaiting(WhileHeld::kWait).empty()) break;
    } catch (const AppError&) {
    }
  }
  const std::size_t lost = waiting_count_;
  waiting_.clear();
  waiting_count_ = 0;
  return lost;
}

void Journal::Keep(std::filesystem::path file, std::string row) {
  ++waiting_count_;
  if (!waiting_.empty() && waiting_.back().file == file) {
    waiting_.back().rows.append(kLineEnd).append(row);
    ++waiting_.back().count;
    return;
  }
  int year = 0;
  int month = 0;
  ParseMonthFileName(file.filename().string(), year, month);
  waiting_.push_back({MonthNumber(year, month), std::move(file), std::move(row), 1});
}

void Journal::ForgetOldest() {
  waiting_count_ -= waiting_.front().count;
  waiting_.pop_front();
}

void Journal::DropOldest() {
  WaitingRows& oldest = waiting_.front();
  --waiting_count_;
  ++dropped_;
  if (--oldest.count == 0) {
    waiting_.pop_front();
    return;
  }
  oldest.rows.erase(0, oldest.rows.find(kLineEnd) + kLineEnd.size());
}

std::filesystem::path Journal::WriteWaiting(WhileHeld while_held) {
  while (!waiting_.empty()) {
    const WaitingRows& rows = waiting_.front();
    try {
      WriteRows(rows, while_held);
    } catch (const FileHeldError&) {
      return rows.file;  // later files wait too, so that records stay in order
    } catch (const AppError&) {
      ForgetOldest();
      throw;
    }
    ForgetOldest();
  }
  return {};
}

void Journal::WriteRows(const WaitingRows& rows, WhileHeld while_held) {
  try {
    append_(rows.file, HeaderRow(), rows.rows, while_held);
  } catch (const AppError&) {
    // The folder is made when it is missing, then tried once more; what fails
    // then is the reason to tell.
    std::error_code error;
    if (std::filesystem::is_directory(folder_, error)) throw;
    CreateOwnerOnlyFolder(folder_);
    append_(rows.file, HeaderRow(), rows.rows, while_held);
  }
}

}  // namespace quorvane::journal
