#include "report/ParsedBlocks.h"

#include <cstring>

#include "report/CalendarMath.h"
#include "report/HistoryLineReader.h"

namespace quorvane::report {

ParsedBlocks::ParsedBlocks(LogFile& file, const DateTimeReader& reader)
    : file_(file), reader_(reader) {
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

// On the caller's thread: the next free block filled from the file.
void ParsedBlocks::ReadAhead() {
  Block* block;
  {
    std::lock_guard lock(mutex_);
    if (end_read_ || read_ - consumed_ >= blocks_.size()) return;
    block = &blocks_[read_ % blocks_.size()];
  }
  block->read = file_.Read(block->bytes.data() + kCarryRoom, kBlockSize);
  {
    std::lock_guard lock(mutex_);
    end_read_ = block->read == 0;
    ++read_;
  }
  changed_.notify_all();
}

ParsedBlocks::Block& ParsedBlocks::Next() {
  {
    std::lock_guard lock(mutex_);
    if (handed_out_) ++consumed_;
  }
  ReadAhead();
  ReadAhead();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return parsed_ > consumed_; });
  handed_out_ = true;
  return blocks_[consumed_ % blocks_.size()];
}

void ParsedBlocks::Produce() {
  for (;;) {
    Block* block;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || read_ > parsed_; });
      if (stopping_) return;
      block = &blocks_[parsed_ % blocks_.size()];
    }
    Parse(*block);
    {
      std::lock_guard lock(mutex_);
      ++parsed_;
    }
    changed_.notify_all();
    if (block->last) return;
  }
}

void ParsedBlocks::Take(std::string_view line, Block& block) {
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty()) return;
  ++counts_.lines;
  LineReading reading;
  OrderHint hint;
  if (line.size() > 0xFFFF || !ReadHistoryLine(line, reader_, reading, hint)) {
    ++counts_.unreadable;
    return;
  }
  if (hint == OrderHint::kDayFirst) ++counts_.day_first;
  if (hint == OrderHint::kMonthFirst) ++counts_.month_first;
  if (hint == OrderHint::kAmbiguous) ++counts_.ambiguous;
  // Made UTC on the caller's thread, in order.
  block.lines.push_back({WallSeconds(reading.local),
                         static_cast<std::uint32_t>(line.data() - block.bytes.data()),
                         static_cast<std::uint16_t>(line.size()), reading.value,
                         static_cast<std::uint8_t>(static_cast<std::uint8_t>(reading.method) |
                                                   (reading.connected ? kConnected : 0))});
}

void ParsedBlocks::Parse(Block& block) {
  block.lines.clear();
  block.lines.reserve(kBlockSize / 40);
  char* data = block.bytes.data();
  std::size_t start = kCarryRoom - carried_.size();
  std::memcpy(data + start, carried_.data(), carried_.size());
  carried_.clear();
  const std::size_t end = kCarryRoom + block.read;
  if (first_block_ && end - start >= 3 && std::memcmp(data + start, "\xEF\xBB\xBF", 3) == 0)
    start += 3;
  first_block_ = false;
  while (const void* newline = std::memchr(data + start, '\n', end - start)) {
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
    if (!skipping_) Take(std::string_view(data + start, at - start), block);
    skipping_ = false;
    start = at + 1;
  }
  block.last = block.read == 0;
  if (block.last) {
    if (start < end && !skipping_) Take(std::string_view(data + start, end - start), block);
  } else if (end - start > kCarryRoom) {
    if (!skipping_) Take(std::string_view(data + start, end - start), block);  // unreadable
    skipping_ = true;                                                          // up to its line end
  } else {
    carried_.assign(data + start, end - start);
  }
}

}  // namespace quorvane::report
