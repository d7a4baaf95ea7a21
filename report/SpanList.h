#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace quorvane::report {

// A stretch of time between two samples: a disconnection or a gap.
struct Span {
  std::int64_t from = 0;  // UTC seconds
  std::int64_t to = 0;
  std::int32_t from_offset = 0;  // local offset from UTC, seconds
  std::int32_t to_offset = 0;

  std::int64_t Seconds() const { return to > from ? to - from : 0; }
};

// Every span of a log, in order, in fixed memory: past a few thousand they go to
// a temporary file. Also keeps the count, the total, and the longest ones.
class SpanList {
 public:
  explicit SpanList(std::size_t longest_kept) : longest_kept_(longest_kept) {}
  ~SpanList();
  SpanList(const SpanList&) = delete;
  SpanList& operator=(const SpanList&) = delete;

  void Add(const Span& span);
  void ForEach(const std::function<void(const Span&)>& visit) const;

  std::uint64_t count() const { return count_; }
  std::int64_t total_seconds() const { return total_; }
  std::int64_t longest_seconds() const {
    return longest_.empty() ? 0 : Longest().front().Seconds();
  }
  // The longest spans kept, longest first (at equal length, earliest first).
  std::vector<Span> Longest() const;

 private:
  static constexpr std::size_t kInMemory = 4096;
  std::size_t longest_kept_;
  std::vector<Span> recent_;
  std::vector<Span> longest_;  // a heap, shortest on top
  std::FILE* spilled_ = nullptr;
  std::uint64_t spilled_count_ = 0;
  std::uint64_t count_ = 0;
  std::int64_t total_ = 0;
};

}  // namespace quorvane::report
