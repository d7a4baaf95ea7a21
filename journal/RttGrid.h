#pragma once

#include <array>
#include <cstdint>

#include "model/Cause.h"

namespace quorvane::journal {

// The probes' round-trip times over a stretch of time in fixed memory: per plot
// column, for the router and for the internet, the probes that got an answer or
// none, the highest time, and a histogram on a logarithmic scale for the median.
class RttGrid {
 public:
  static constexpr int kColumns = 480;
  static constexpr int kBuckets = 48;  // 8 per tenfold, from 0.1 ms to 100 s

  struct Column {
    std::uint32_t answered = 0;
    std::uint32_t lost = 0;
    double highest_ms = 0;
    std::array<std::uint32_t, kBuckets> histogram{};

    std::uint32_t probes() const { return answered + lost; }
    // The median's bucket's middle, in milliseconds; 0 without answers.
    double MedianMs() const;
  };

  void SetSpan(std::int64_t from, std::int64_t to) {
    from_ = from;
    to_ = to > from ? to : from + 1;
  }
  void Add(std::int64_t utc, const ProbeResult& router, const ProbeResult& internet);

  const std::array<Column, kColumns>& router() const { return router_; }
  const std::array<Column, kColumns>& internet() const { return internet_; }
  std::int64_t from() const { return from_; }
  std::int64_t to() const { return to_; }

  static double BucketLowMs(int bucket);

 private:
  std::int64_t from_ = 0;
  std::int64_t to_ = 1;
  std::array<Column, kColumns> router_{};
  std::array<Column, kColumns> internet_{};
};

}  // namespace quorvane::journal
