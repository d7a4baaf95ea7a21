// The journal's month files read into batches of records: parsed on threads of their
// own while the caller's thread takes the batches in the order of the months and of
// the rows in each, so what it gathers is what one pass in order gives.
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
constexpr unsigned kMostReaders = 4;  // beyond that the caller's thread is the limit

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
  if (!fault && !carried.empty()) rows.ReadCut(carried);
  if (batch.filled > 0) hand_on(batch);
  if (fault) throw AppError(NamingFile(error_text::kDeviceIo, path));
  return rows.outcome();
}

// The files one after another on the caller's thread: on one core, or when no thread
// can be had.
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

// The month files cut into stretches of whole lines, read in turn by whichever thread
// is free and parsed by the thread that read it while the other reads and parses the
// next; the caller's thread takes them in the files' order. A stretch knows its file's
// columns from the file's header, read with the file's first stretch.
class ChunkReaders {
 public:
  ChunkReaders(const std::vector<std::filesystem::path>& files, RecordParts parts)
      : files_(files), parts_(parts), header_(parts) {}
  ChunkReaders(const ChunkReaders&) = delete;
  ChunkReaders& operator=(const ChunkReaders&) = delete;
  ~ChunkReaders() {
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
      while (threads_.size() < count) threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
    }
    return threads_.size();
  }

  // Hands every stretch's records to `visit_batch` in the files' order; rethrows a
  // file's fault when the rows before it have been handed.
  ReadOutcome Visit(const std::function<void(std::span<const JournalRecord>)>& visit_batch) {
    ReadOutcome total;
    for (;;) {
      std::unique_ptr<Chunk> chunk;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] {
          return chunks_.empty() ? all_read_ || workers_ended_ == threads_.size()
                                 : chunks_.front()->parsed;
        });
        if (chunks_.empty()) return total;
        chunk = std::move(chunks_.front());
        chunks_.pop_front();
      }
      room_.notify_all();
      if (chunk->filled > 0) visit_batch(std::span(chunk->records).first(chunk->filled));
      total += chunk->outcome;
      if (chunk->error) std::rethrow_exception(chunk->error);
      const std::lock_guard lock(mutex_);
      spares_.push_back(std::move(chunk));
    }
  }

 private:
  struct Chunk {
    std::string bytes;  // whole lines; the file's last one may have no end
    RowReader rows;     // knows the file's columns
    std::vector<JournalRecord> records;
    std::size_t filled = 0;
    ReadOutcome outcome;
    std::exception_ptr error;  // the file's fault, found after these lines
    bool parsed = false;
  };

  void Work() {
    for (;;) {
      Chunk* chunk = nullptr;
      {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return stopping_ || all_read_ || chunks_.size() < kChunksAhead; });
        std::unique_ptr<Chunk> taken;
        if (!stopping_ && !all_read_) {
          if (spares_.empty()) {
            taken = std::make_unique<Chunk>();
          } else {
            taken = std::move(spares_.back());
            spares_.pop_back();
          }
          try {
            all_read_ = !ReadNext(*taken);
          } catch (...) {  // no memory for the stretch: the caller's thread is told
            taken->bytes.clear();
            taken->error = std::current_exception();
          }
        }
        if (stopping_ || all_read_) {
          ++workers_ended_;
          lock.unlock();
          ready_.notify_all();
          return;
        }
        chunk = taken.get();
        chunks_.push_back(std::move(taken));
      }
      Parse(*chunk);
      {
        const std::lock_guard lock(mutex_);
        chunk->parsed = true;
      }
      ready_.notify_all();
    }
  }

  // The next stretch of the files, with mutex_ held; false after the last file.
  bool ReadNext(Chunk& chunk) {
    chunk.filled = 0;
    chunk.outcome = {};
    chunk.error = nullptr;
    chunk.parsed = false;
    std::string& bytes = chunk.bytes;
    for (;;) {
      if (!in_.is_open()) {
        if (file_ == files_.size()) return false;
        const std::filesystem::path& path = files_[file_];
        in_.open(path, std::ios::binary);
        if (!in_) {
          in_ = std::ifstream();
          ++file_;
          if (!FileExists(path)) continue;  // deleted meanwhile
          bytes.clear();
          chunk.rows = RowReader(parts_);
          chunk.error =
              std::make_exception_ptr(AppError(NamingFile(error_text::kPermissionDenied, path)));
          return true;
        }
        header_ = RowReader(parts_);
        carried_.clear();
      }
      bytes.assign(carried_);
      carried_.clear();
      const std::size_t before = bytes.size();
      bytes.resize(before + kChunkBytes);
      in_.read(bytes.data() + before, static_cast<std::streamsize>(kChunkBytes));
      bytes.resize(before + static_cast<std::size_t>(in_.gcount()));
      const bool fault = in_.bad();
      const bool file_end = fault || !in_;
      if (!file_end || fault) {
        // Whole lines only: the rest waits for the next stretch, or is lost to the fault.
        const std::size_t last_end = bytes.rfind('\n');
        const std::size_t whole = last_end == std::string::npos ? 0 : last_end + 1;
        if (!fault) carried_.assign(bytes, whole);
        bytes.resize(whole);
        if (!fault && whole == 0) continue;  // a line longer than a stretch: read on
      }
      if (fault)
        chunk.error =
            std::make_exception_ptr(AppError(NamingFile(error_text::kDeviceIo, files_[file_])));
      TakeHeader(bytes);
      chunk.rows = header_;
      if (file_end) {
        in_ = std::ifstream();
        ++file_;
      }
      return true;
    }
  }

  // The file's first line names its columns: read before its stretch is handed on.
  void TakeHeader(std::string& bytes) {
    std::size_t at = 0;
    while (!header_.HeaderRead() && at < bytes.size()) {
      const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
      header_.Read(std::string_view(bytes).substr(at, end - at), scratch_);
      at = end + 1;
    }
    bytes.erase(0, std::min(at, bytes.size()));
  }

  static void Parse(Chunk& chunk) {
    try {
      auto on_line = [&](std::string_view line) {
        if (chunk.filled == chunk.records.size()) chunk.records.resize(chunk.filled + 4096);
        if (chunk.rows.Read(line, chunk.records[chunk.filled])) ++chunk.filled;
      };
      std::string carried;
      ForEachLine(carried, chunk.bytes, on_line);
      if (!carried.empty()) chunk.rows.ReadCut(carried);
      chunk.outcome = chunk.rows.outcome();
    } catch (...) {
      chunk.error = std::current_exception();
    }
  }

  static constexpr std::size_t kChunkBytes = std::size_t{1} << 19;
  static constexpr std::size_t kChunksAhead = 4;  // read or parsed, waiting for the caller

  const std::vector<std::filesystem::path>& files_;
  const RecordParts parts_;
  std::mutex mutex_;
  std::condition_variable ready_;              // a stretch parsed, or the reading over
  std::condition_variable room_;               // room for another stretch
  std::deque<std::unique_ptr<Chunk>> chunks_;  // in the files' order
  std::vector<std::unique_ptr<Chunk>> spares_;
  bool all_read_ = false;
  bool stopping_ = false;
  std::size_t workers_ended_ = 0;
  std::vector<std::thread> threads_;
  // The file being read, with mutex_ held.
  std::size_t file_ = 0;
  std::ifstream in_;
  std::string carried_;  // its line cut by the end of the last stretch
  RowReader header_;
  JournalRecord scratch_;  // what a header line leaves: nothing
};

}  // namespace

ReadOutcome ReadJournalBatches(
    const std::filesystem::path& folder, RecordParts parts,
    const std::function<void(std::span<const JournalRecord>)>& visit_batch) {
  const std::vector<std::filesystem::path> files = MonthFilesInOrder(folder);
  const unsigned readers =
      files.empty() ? 0 : std::clamp(std::thread::hardware_concurrency(), 1u, kMostReaders);
  if (readers >= 2) {
    ChunkReaders threads(files, parts);
    if (threads.Start(readers) > 0) return threads.Visit(visit_batch);
  }
  return ReadInTurn(files, parts, visit_batch);
}

}  // namespace quorvane::journal
