#include "journal/RttGrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quorvane::journal {
namespace {

constexpr double kLowestMs = 0.1;
constexpr double kBucketsPerTenfold = 8;

int BucketByLogarithm(double ms) {
  const int bucket = static_cast<int>(std::log10(ms / kLowestMs) * kBucketsPerTenfold);
  return std::clamp(bucket, 0, RttGrid::kBuckets - 1);
}

// The buckets' lower bounds, then bounds no time reaches up to a power of two, so
// that a time finds its bucket by a search without branches: every probe's time is
// put in one, which the logarithm made the larger part of reading the journal.
constexpr std::size_t kBoundsRoom = 64;
const std::array<double, kBoundsRoom>& BucketLows() {
  static const auto lows = [] {
    std::array<double, kBoundsRoom> bounds{};
    bounds.fill(std::numeric_limits<double>::infinity());
    for (int bucket = 0; bucket < RttGrid::kBuckets; ++bucket)
      bounds[static_cast<std::size_t>(bucket)] = RttGrid::BucketLowMs(bucket);
    return bounds;
  }();
  return lows;
}

int BucketOf(double ms) {
  if (ms <= kLowestMs) return 0;
  const auto& lows = BucketLows();
  std::size_t bucket = 0;
  for (std::size_t half = kBoundsRoom / 2; half > 0; half /= 2)
    bucket += lows[bucket + half] <= ms ? half : 0;
  // Right next to a bound the two ways of reckoning may round apart: the logarithm decides.
  constexpr double kNear = 1e-9;
  if (ms - lows[bucket] <= kNear * ms || lows[bucket + 1] - ms <= kNear * ms)
    return BucketByLogarithm(ms);
  return static_cast<int>(bucket);
}

void AddTo(RttGrid::Column& column, const ProbeResult& result) {
  if (result.state == ProbeState::kDown) {
    ++column.lost;
  } else if (result.state == ProbeState::kUp) {
    ++column.answered;
    column.highest_ms = std::max(column.highest_ms, result.rtt_ms);
    ++column.histogram[static_cast<std::size_t>(BucketOf(result.rtt_ms))];
  }
}

}  // namespace

double RttGrid::BucketLowMs(int bucket) {
  return kLowestMs * std::pow(10.0, bucket / kBucketsPerTenfold);
}

double RttGrid::Column::MedianMs() const {
  if (answered == 0) return 0;
  std::uint32_t seen = 0;
  for (int bucket = 0; bucket < kBuckets; ++bucket) {
    seen += histogram[static_cast<std::size_t>(bucket)];
    if (2 * seen >= answered)
      return std::min(highest_ms, std::sqrt(BucketLowMs(bucket) * BucketLowMs(bucket + 1)));
  }
  return highest_ms;
}

void RttGrid::Add(std::int64_t utc, const ProbeResult& router, const ProbeResult& internet) {
  if (utc < from_ || utc > to_) return;
  const auto column = static_cast<std::size_t>(
      std::min<std::int64_t>(kColumns - 1, (utc - from_) * kColumns / (to_ - from_ + 1)));
  AddTo(router_[column], router);
  AddTo(internet_[column], internet);
}

}  // namespace quorvane::journal
