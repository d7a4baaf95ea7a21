// The journal's month files read into batches of records: on threads of their own,
// a file each, while the caller's thread takes the batches in the order of the
// months and of the rows in each, so what it gathers is what one pass in order gives.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "journal/Journal.h"
#include "platform/AppError.h"
#include "sampling/FileOperations.h"

namespace quorvane::journal {
namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kBatchRecords = 4096;
constexpr std::size_t kBatchesAhead = 3;  // of one file, waiting for the caller's thread
constexpr unsigned kMostReaders = 4;      // beyond that the caller's thread is the limit

// Records read into places of their own, reused from batch to batch.
struct Batch {
  std::vector<JournalRecord> records = std::vector<JournalRecord>(kBatchRecords);
  std::size_t filled = 0;

  std::span<const JournalRecord> Filled() const { return std::span(records).first(filled); }
};

using HandOn = std::function<void(Batch& full)>;  // takes the batch's records, leaves it empty

// One month file's rows read into `batch`, handed on whenever it is full and at the
// file's end. A file deleted meanwhile has none. Throws AppError when the file cannot
// be read, after handing on what was read before the fault.
ReadOutcome ReadMonthFile(const std::filesystem::path& path, RecordParts parts, char* block,
                          Batch& batch, const HandOn& hand_on) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (!FileExists(path)) return {};
    throw AppError(NamingFile(error_text::kPermissionDenied, path));
  }
  RowReader rows(parts);
  std::string carried;
  auto on_line = [&](std::string_view line) {
    if (rows.Read(line, batch.records[batch.filled]) && ++batch.filled == batch.records.size())
      hand_on(batch);
  };
  while (in.read(block, kBlockBytes) || in.gcount() > 0)
    ForEachLine(carried, std::string_view(block, static_cast<std::size_t>(in.gcount())), on_line);
  const bool fault = in.bad();
  if (!fault && !carried.empty()) on_line(carried);  // a last line without its end
  if (batch.filled > 0) hand_on(batch);
  if (fault) throw AppError(NamingFile(error_text::kDeviceIo, path));
  return rows.outcome();
}

ReadOutcome ReadInTurn(const std::vector<std::filesystem::path>& files, RecordParts parts,
                       const std::function<void(std::span<const JournalRecord>)>& visit_batch) {
  ReadOutcome total;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
  Batch batch;
  const HandOn hand_on = [&](Batch& full) {
    visit_batch(full.Filled());
    full.filled = 0;
  };
  for (const auto& file : files) total += ReadMonthFile(file, parts, block.get(), batch, hand_on);
  return total;
}

// Month files read by threads of their own, each taking the next file not yet taken;
// each file's batches wait for the caller's thread, a few at most.
class MonthReaders {
 public:
  MonthReaders(const std::vector<std::filesystem::path>& files, RecordParts parts)
      : files_(files), parts_(parts), slots_(files.size()) {}
  MonthReaders(const MonthReaders&) = delete;
  MonthReaders& operator=(const MonthReaders&) = delete;
  ~MonthReaders() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    room_.notify_all();
    for (auto& thread : threads_) thread.join();
  }

  // Starts up to `count` threads; how many it could start.
  std::size_t Start(unsigned count) {
    try {
      while (threads_.size() < count) threads_.emplace_back([this] { Read(); });
    } catch (const std::system_error&) {
    }
    return threads_.size();
  }

  // Hands every batch to `visit_batch`, file after file; rethrows a file's fault
  // when its batches before the fault have been handed.
  ReadOutcome Visit(const std::function<void(std::span<const JournalRecord>)>& visit_batch) {
    ReadOutcome total;
    for (Slot& slot : slots_) {
      for (;;) {
        std::unique_ptr<Batch> batch;
        {
          std::unique_lock lock(mutex_);
          ready_.wait(lock, [&] { return !slot.ready.empty() || slot.done; });
          if (slot.ready.empty()) {
            if (slot.error) std::rethrow_exception(slot.error);
            total += slot.outcome;
            break;
          }
          batch = std::move(slot.ready.front());
          slot.ready.pop_front();
        }
        room_.notify_all();
        visit_batch(batch->Filled());
        batch->filled = 0;
        const std::lock_guard lock(mutex_);
        spares_.push_back(std::move(batch));
      }
    }
    return total;
  }

 private:
  struct Slot {
    std::deque<std::unique_ptr<Batch>> ready;
    bool done = false;
    std::exception_ptr error;
    ReadOutcome outcome;
  };
  struct Stopped {};  // the caller's thread gave up: the reading thread ends

  void Read() {
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    Batch batch;
    for (;;) {
      std::size_t index = 0;
      {
        const std::lock_guard lock(mutex_);
        if (stopping_ || next_ == files_.size()) return;
        index = next_++;
      }
      Slot& slot = slots_[index];
      ReadOutcome outcome;
      std::exception_ptr error;
      try {
        outcome = ReadMonthFile(files_[index], parts_, block.get(), batch,
                                [&](Batch& full) { HandOn(slot, full); });
      } catch (const Stopped&) {
        return;
      } catch (...) {
        error = std::current_exception();
        batch.filled = 0;
      }
      {
        const std::lock_guard lock(mutex_);
        slot.done = true;
        slot.outcome = outcome;
        slot.error = error;
      }
      ready_.notify_all();
    }
  }

  void HandOn(Slot& slot, Batch& full) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return slot.ready.size() < kBatchesAhead || stopping_; });
    if (stopping_) throw Stopped{};
    std::unique_ptr<Batch> taken;
    if (spares_.empty()) {
      taken = std::make_unique<Batch>();
    } else {
      taken = std::move(spares_.back());
      spares_.pop_back();
    }
    std::swap(*taken, full);  // the records go, an empty batch stays
    slot.ready.push_back(std::move(taken));
    lock.unlock();
    ready_.notify_all();
  }

  const std::vector<std::filesystem::path>& files_;
  const RecordParts parts_;
  std::mutex mutex_;
  std::condition_variable ready_;  // a batch or a file's end for the caller's thread
  std::condition_variable room_;   // room for a reading thread's next batch
  std::vector<Slot> slots_;        // per file
  std::vector<std::unique_ptr<Batch>> spares_;
  std::size_t next_ = 0;  // the next file to take
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace

ReadOutcome ReadJournalBatches(
    const std::filesystem::path& folder, RecordParts parts,
    const std::function<void(std::span<const JournalRecord>)>& visit_batch) {
  const std::vector<std::filesystem::path> files = MonthFilesInOrder(folder);
  const auto readers = static_cast<unsigned>(std::min<std::size_t>(
      files.size(), std::clamp(std::thread::hardware_concurrency(), 1u, kMostReaders)));
  if (readers >= 2) {
    MonthReaders threads(files, parts);
    if (threads.Start(readers) > 0) return threads.Visit(visit_batch);
  }
  return ReadInTurn(files, parts, visit_batch);
}

}  // namespace quorvane::journal
