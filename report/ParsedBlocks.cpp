#include "report/ParsedBlocks.h"

#include <cstring>
#include <utility>

#include "base/CalendarMath.h"
#include "report/HistoryLineReader.h"

namespace quorvane::report {

ParsedBlocks::ParsedBlocks(LogFile& file, const DateTimeReader& reader, BlockWork work)
    : file_(file), work_(std::move(work)), caller_reader_(reader), producer_reader_(reader) {
  file_.Rewind();
  for (Block& block : blocks_) block.bytes.resize(kCarryRoom + kBlockSize);
  producer_ = std::thread([this] { Produce(); });
}

ParsedBlocks::~ParsedBlocks() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  producer_.join();
}

// On the caller's thread: the next free block filled from the file and cut after
// its last whole line.
void ParsedBlocks::ReadAhead() {
  Block* block;
  {
    std::lock_guard lock(mutex_);
    if (end_read_ || read_ - consumed_ >= blocks_.size()) return;
    block = &blocks_[read_ % blocks_.size()];
  }
  block->read = file_.Read(block->bytes.data() + kCarryRoom, kBlockSize);
  CutAfterLastLine(*block);
  {
    std::lock_guard lock(mutex_);
    end_read_ = block->read == 0;
    states_[read_ % blocks_.size()] = State::kRead;
    ++read_;
  }
  changed_.notify_all();
}

void ParsedBlocks::CutAfterLastLine(Block& block) {
  char* data = block.bytes.data();
  block.counts = {};
  block.begin = kCarryRoom;
  block.end = kCarryRoom + block.read;
  if (skipping_) {  // the rest of an overlong line, up to its end
    const void* newline = std::memchr(data + block.begin, '\n', block.read);
    skipping_ = newline == nullptr && block.read > 0;
    block.begin = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) + 1
                          : block.end;
  } else {
    block.begin -= carried_.size();
    std::memcpy(data + block.begin, carried_.data(), carried_.size());
  }
  carried_.clear();
  if (first_block_ && block.end - block.begin >= 3 &&
      std::memcmp(data + block.begin, "\xEF\xBB\xBF", 3) == 0)
    block.begin += 3;
  first_block_ = false;
  block.last = block.read == 0;
  if (block.last) return;  // what was carried is the file's last line
  std::size_t cut = block.end;
  while (cut > block.begin && data[cut - 1] != '\n') --cut;
  if (block.end - cut > kCarryRoom) {
    // No history line is anywhere near as long: unreadable, skipped up to its end.
    ++block.counts.lines;
    ++block.counts.unreadable;
    skipping_ = true;
  } else {
    carried_.assign(data + cut, block.end - cut);
  }
  block.end = cut;
}

ParsedBlocks::Block* ParsedBlocks::Unclaimed() {
  for (std::uint64_t i = consumed_; i < read_; ++i)
    if (states_[i % blocks_.size()] == State::kRead) {
      states_[i % blocks_.size()] = State::kParsing;
      return &blocks_[i % blocks_.size()];
    }
  return nullptr;
}

ParsedBlocks::Block& ParsedBlocks::Next() {
  {
    std::lock_guard lock(mutex_);
    if (handed_out_) {
      states_[consumed_ % blocks_.size()] = State::kFree;
      ++consumed_;
    }
  }
  ReadAhead();
  ReadAhead();
  ReadAhead();
  std::unique_lock lock(mutex_);
  for (;;) {
    const std::size_t wanted = consumed_ % blocks_.size();
    if (states_[wanted] == State::kParsed) {
      handed_out_ = true;
      if (blocks_[wanted].failure) std::rethrow_exception(blocks_[wanted].failure);
      counts_ += blocks_[wanted].counts;
      return blocks_[wanted];
    }
    // Rather than wait, parse a block nobody has taken yet, or read one more.
    if (Block* block = Unclaimed()) {
      ParseClaimed(*block, caller_reader_, lock);
    } else if (!end_read_ && read_ - consumed_ < blocks_.size()) {
      lock.unlock();
      ReadAhead();
      lock.lock();
    } else {
      changed_.wait(lock);
    }
  }
}

void ParsedBlocks::Produce() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Block* block = nullptr;
    changed_.wait(lock, [&] { return stopping_ || (block = Unclaimed()) != nullptr; });
    if (stopping_) return;
    ParseClaimed(*block, producer_reader_, lock);
  }
}

void ParsedBlocks::ParseClaimed(Block& block, const DateTimeReader& reader,
                                std::unique_lock<std::mutex>& lock) {
  const std::size_t index = static_cast<std::size_t>(&block - blocks_.data());
  lock.unlock();
  block.failure = nullptr;
  try {
    Parse(block, reader);
    if (work_) work_(block);
  } catch (...) {  // thrown on the caller's thread as the block is handed out
    block.failure = std::current_exception();
  }
  lock.lock();
  states_[index] = State::kParsed;
  changed_.notify_all();
}

void ParsedBlocks::Take(std::string_view line, Block& block, const DateTimeReader& reader,
                        LastDay& day) const {
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty()) return;
  ++block.counts.lines;
  LineReading reading;
  OrderHint hint;
  if (line.size() > 0xFFFF || !ReadHistoryLine(line, reader, reading, hint)) {
    ++block.counts.unreadable;
    return;
  }
  Keep(line, reading, hint, false, block, day);
}

void ParsedBlocks::Keep(std::string_view line, const LineReading& reading, OrderHint hint,
                        bool plain, Block& block, LastDay& day) const {
  if (hint == OrderHint::kDayFirst) ++block.counts.day_first;
  if (hint == OrderHint::kMonthFirst) ++block.counts.month_first;
  if (hint == OrderHint::kAmbiguous) ++block.counts.ambiguous;
  // Most lines share the date of the line before.
  const LocalDateTime& local = reading.local;
  if (local.day != day.day || local.month != day.month || local.year != day.year) {
    day = {local.year, local.month, local.day, DaysFromCivil(local.year, local.month, local.day)};
  }
  // Made UTC later, with the lines before it: in the file's order on the caller's
  // thread, or by the block's work.
  block.lines.push_back(
      {day.days * 86400 + local.SecondsSinceMidnight(),
       static_cast<std::uint32_t>(line.data() - block.bytes.data()),
       static_cast<std::uint16_t>(line.size()), reading.value,
       static_cast<std::uint8_t>(static_cast<std::uint8_t>(reading.method) |
                                 (reading.connected ? kConnected : 0) | (plain ? kPlain : 0))});
}

void ParsedBlocks::Parse(Block& block, const DateTimeReader& reader) const {
  block.lines.clear();
  block.lines.reserve(kBlockSize / 40);
  const char* const end = block.bytes.data() + block.end;
  LastDay day;
  const char* start = block.bytes.data() + block.begin;
  while (start < end) {
    // Most lines are read straight through, their end found on the way.
    LineReading reading;
    OrderHint hint;
    if (const char* text_end = ReadUsualHistoryLine(start, end, reader, reading, hint)) {
      ++block.counts.lines;
      Keep(std::string_view(start, static_cast<std::size_t>(text_end - start)), reading, hint, true,
           block, day);
      start = text_end + (*text_end == '\r' ? 2 : 1);
      continue;
    }
    const void* newline = std::memchr(start, '\n', static_cast<std::size_t>(end - start));
    // Only the file's last line may have no line end.
    const char* line_end = newline != nullptr ? static_cast<const char*>(newline) : end;
    Take(std::string_view(start, static_cast<std::size_t>(line_end - start)), block, reader, day);
    if (newline == nullptr) break;
    start = line_end + 1;
  }
}

}  // namespace quorvane::report
