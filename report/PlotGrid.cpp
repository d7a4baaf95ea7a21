#include "report/PlotGrid.h"

#include <algorithm>

namespace quorvane::report {
namespace {

void Merge(PlotGrid::Column& into, const PlotGrid::Column& from) {
  for (int m = 0; m < kMethodCount; ++m) {
    if (from.count[m] == 0) continue;
    if (into.count[m] == 0) {
      into.min[m] = from.min[m];
      into.max[m] = from.max[m];
    } else {
      into.min[m] = std::min(into.min[m], from.min[m]);
      into.max[m] = std::max(into.max[m], from.max[m]);
    }
    into.count[m] += from.count[m];
    into.drops[m] += from.drops[m];
  }
  into.gap_after = into.gap_after || from.gap_after;
  into.running |= from.running;
  into.disconnected = into.disconnected || from.disconnected;
}

}  // namespace

void PlotGrid::Widen(bool to_the_left) {
  std::array<Column, kColumns> merged{};
  const int shift = to_the_left ? kColumns / 2 : 0;
  for (int i = 0; i < kColumns; ++i) Merge(merged[shift + i / 2], columns_[i]);
  columns_ = merged;
  if (to_the_left) origin_ -= kColumns * column_seconds();
  ++shift_;
}

int PlotGrid::IndexOf(std::int64_t utc) {
  if (!started_) {
    started_ = true;
    origin_ = utc;
  }
  while (utc < origin_) Widen(true);
  while (utc >= origin_ + kColumns * column_seconds()) Widen(false);
  return static_cast<int>((utc - origin_) >> shift_);
}

void PlotGrid::Add(std::int64_t utc, Method method, std::uint8_t value, bool connected) {
  Column& column = columns_[IndexOf(utc)];
  const int m = MethodIndex(method);
  if (column.count[m] == 0) {
    column.min[m] = column.max[m] = value;
  } else {
    column.min[m] = std::min(column.min[m], value);
    column.max[m] = std::max(column.max[m], value);
  }
  ++column.count[m];
  if (!connected) ++column.drops[m];
}

void PlotGrid::MarkGapAfter(std::int64_t utc) { columns_[IndexOf(utc)].gap_after = true; }

void PlotGrid::MarkColumnsBetween(std::int64_t from_utc, std::int64_t to_utc, std::uint8_t methods,
                                  bool disconnected) {
  const int from = IndexOf(from_utc);
  const int to = IndexOf(to_utc);
  for (int i = from + 1; i < to; ++i) {
    columns_[i].running |= methods;
    columns_[i].disconnected = columns_[i].disconnected || disconnected;
  }
}

}  // namespace quorvane::report
