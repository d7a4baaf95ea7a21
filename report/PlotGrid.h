#pragma once

#include <array>
#include <cstdint>

#include "report/Sample.h"

namespace quorvane::report {

// The signal over time reduced to one column per pixel: the minimum and maximum
// of each method in each column, so a plot of any log stays true and small. The
// columns cover the log's time range, which is learned as the samples come: when
// a sample falls outside, the columns double in width and merge in pairs.
class PlotGrid {
 public:
  static constexpr int kColumns = 960;

  struct Column {
    std::array<std::uint32_t, kMethodCount> count{};
    std::array<std::uint8_t, kMethodCount> min{};
    std::array<std::uint8_t, kMethodCount> max{};
    std::array<std::uint32_t, kMethodCount> drops{};  // samples without a connection
    bool gap_after = false;  // no samples for a while after a sample of this column
    // For a column without samples: the methods (bit 1 << index) whose logging ran
    // across it, the pause between two samples not being a gap, and whether that
    // pause lay in a disconnection.
    std::uint8_t running = 0;
    bool disconnected = false;
  };

  void Add(std::int64_t utc, Method method, std::uint8_t value, bool connected);
  void MarkGapAfter(std::int64_t utc);
  // The pause from one sample to the next, not a gap: the columns strictly between
  // theirs were logged across by `methods` (bits), without a connection when
  // `disconnected`.
  void MarkRunning(std::int64_t from_utc, std::int64_t to_utc, std::uint8_t methods,
                   bool disconnected) {
    // Nearly always the same or the next column: nothing between.
    if (((to_utc - origin_) >> shift_) - ((from_utc - origin_) >> shift_) > 1)
      MarkColumnsBetween(from_utc, to_utc, methods, disconnected);
  }

  bool empty() const { return !started_; }
  std::int64_t origin() const { return origin_; }  // UTC of column 0's start
  std::int64_t column_seconds() const { return std::int64_t{1} << shift_; }  // each column's span
  const std::array<Column, kColumns>& columns() const { return columns_; }

 private:
  int IndexOf(std::int64_t utc);
  void Widen(bool to_the_left);
  void MarkColumnsBetween(std::int64_t from_utc, std::int64_t to_utc, std::uint8_t methods,
                          bool disconnected);

  bool started_ = false;
  std::int64_t origin_ = 0;
  int shift_ = 0;  // columns are 2^shift_ seconds wide
  std::array<Column, kColumns> columns_{};
};

}  // namespace quorvane::report
