#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "report/DateTimeReader.h"
#include "report/LogFile.h"
#include "report/Sample.h"

namespace quorvane::report {

// What one pass over the log found besides its samples.
struct PassCounts {
  std::uint64_t lines = 0;  // not counting empty ones
  std::uint64_t unreadable = 0;
  std::uint64_t day_first = 0;  // slash dates that settle the order either way
  std::uint64_t month_first = 0;
  std::uint64_t ambiguous = 0;  // slash dates with both numbers at most 12

  // The order the whole file is read with: what most settling lines say, and the
  // locale's when none settles it (or as many say one thing as the other).
  DayMonthOrder Settled(DayMonthOrder locale_order) const {
    if (day_first > month_first) return DayMonthOrder::kDayFirst;
    if (month_first > day_first) return DayMonthOrder::kMonthFirst;
    return locale_order;
  }
  PassCounts& operator+=(const PassCounts& other) {
    lines += other.lines;
    unreadable += other.unreadable;
    day_first += other.day_first;
    month_first += other.month_first;
    ambiguous += other.ambiguous;
    return *this;
  }
};

// The log's lines parsed a block at a time on a thread of their own and, whenever
// the block it needs next is not ready, on the caller's thread too, while the
// caller's thread also reads the blocks ahead and works on the block before. Each
// block is cut after its last whole line as it is read, so blocks are parsed in
// any order by either thread and handed out in the file's. Eight blocks are in
// memory at most.
class ParsedBlocks {
 public:
  // A readable line, small so that a block's lines stay in the cache between the
  // two threads.
  struct Line {
    std::int64_t wall;    // the local time read as if it were UTC
    std::uint32_t start;  // the text in the block's bytes
    std::uint16_t length;
    std::uint8_t value;
    std::uint8_t method_and_flags;  // the method, plus kConnected and kPlain
  };
  static constexpr std::uint8_t kConnected = 0x80;
  // The text is known to be ASCII without quotes: a line read the quick way.
  static constexpr std::uint8_t kPlain = 0x40;
  static Method MethodOf(const Line& line) {
    return static_cast<Method>(line.method_and_flags & ~(kConnected | kPlain));
  }

  struct Block {
    std::vector<char> bytes;  // room for a line carried over, then the block as read
    std::size_t read = 0;     // bytes read into it
    std::size_t begin = 0;    // its whole lines (the last one of the file may have no end)
    std::size_t end = 0;
    std::vector<Line> lines;
    PassCounts counts;  // of its lines
    bool last = false;
    // What the work given to ParsedBlocks made of the lines: its bytes (room for
    // made_capacity, left unset so that only what is written takes memory), and
    // whether it is right without the blocks before.
    std::unique_ptr<char[]> made;
    std::size_t made_size = 0;
    std::size_t made_capacity = 0;
    bool made_in_order = true;
    // What went wrong while the block was parsed or worked on, for the caller.
    std::exception_ptr failure;

    Sample SampleAt(std::size_t i) const {
      const Line& line = lines[i];
      Sample sample;
      sample.wall = line.wall;
      sample.method = MethodOf(line);
      sample.connected = (line.method_and_flags & kConnected) != 0;
      sample.value = line.value;
      sample.text = std::string_view(bytes.data() + line.start, line.length);
      return sample;
    }
  };

  // Work done on a block by the thread that parsed it, before it is handed out.
  using BlockWork = std::function<void(Block& block)>;

  ParsedBlocks(LogFile& file, const DateTimeReader& reader, BlockWork work = {});
  ~ParsedBlocks();
  ParsedBlocks(const ParsedBlocks&) = delete;
  ParsedBlocks& operator=(const ParsedBlocks&) = delete;

  // The next block, in the file's order; the one handed out before is given back.
  // After the block marked last, counts() holds the whole file's. What failed
  // while the block was parsed or worked on, on either thread, is thrown here.
  Block& Next();
  const PassCounts& counts() const { return counts_; }

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;  // 1 MB
  // The longest start of a line carried into the next block; no history line is
  // anywhere near as long, so a longer one is unreadable.
  static constexpr std::size_t kCarryRoom = std::size_t{1} << 16;

  enum class State { kFree, kRead, kParsing, kParsed };

  void ReadAhead();
  void CutAfterLastLine(Block& block);
  // A block read and not yet claimed by either thread, the earliest; nullptr when
  // none. With the mutex held.
  Block* Unclaimed();
  void Produce();
  // Parses a block this thread claimed, the mutex released meanwhile, and marks it
  // parsed.
  void ParseClaimed(Block& block, const DateTimeReader& reader, std::unique_lock<std::mutex>& lock);
  void Parse(Block& block, const DateTimeReader& reader) const;
  // The date of the line before, and its days since 1970.
  struct LastDay {
    int year = 0, month = 0, day = 0;
    std::int64_t days = 0;
  };
  // A line read by the general reader, and a line read, kept.
  void Take(std::string_view line, Block& block, const DateTimeReader& reader, LastDay& day) const;
  void Keep(std::string_view line, const LineReading& reading, OrderHint hint, bool plain,
            Block& block, LastDay& day) const;

  LogFile& file_;
  const BlockWork work_;
  // One reader for each thread that parses: a reader remembers the last date it read.
  const DateTimeReader caller_reader_;
  const DateTimeReader producer_reader_;
  PassCounts counts_;  // of the blocks handed out
  // The caller's thread alone, as it reads:
  std::string carried_;  // the start of a line cut by the block's end
  bool first_block_ = true;
  bool skipping_ = false;  // the rest of an overlong line

  std::array<Block, 8> blocks_;
  std::array<State, 8> states_{};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t read_ = 0;  // blocks read and done with, counted from the start
  std::uint64_t consumed_ = 0;
  bool end_read_ = false;
  bool handed_out_ = false;
  bool stopping_ = false;
  std::thread producer_;
};

}  // namespace quorvane::report
