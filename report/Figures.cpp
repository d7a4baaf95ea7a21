#include "report/Figures.h"

#include <algorithm>

namespace quorvane::report {

int MethodFigures::Min() const {
  for (int v = 0; v <= 100; ++v)
    if (histogram[v] > 0) return v;
  return 0;
}

int MethodFigures::Max() const {
  for (int v = 100; v >= 0; --v)
    if (histogram[v] > 0) return v;
  return 0;
}

double MethodFigures::Median() const {
  if (samples == 0) return 0;
  // The values at 1-based ranks (n + 1) / 2 and n / 2 + 1: the same one for an odd n.
  auto value_at = [&](std::uint64_t rank) {
    std::uint64_t seen = 0;
    for (int v = 0; v <= 100; ++v) {
      seen += histogram[v];
      if (seen >= rank) return v;
    }
    return 100;
  };
  return (value_at((samples + 1) / 2) + value_at(samples / 2 + 1)) / 2.0;
}

double MethodFigures::Mean() const {
  if (samples == 0) return 0;
  double sum = 0;
  for (int v = 0; v <= 100; ++v) sum += static_cast<double>(histogram[v]) * v;
  return sum / static_cast<double>(samples);
}

std::uint64_t MethodFigures::Below(int threshold) const {
  std::uint64_t below = 0;
  for (int v = 0; v < threshold; ++v) below += histogram[v];
  return below;
}

void MarkOutageColumns(Figures& figures) {
  figures.outage_columns.fill(0);
  const PlotGrid& grid = figures.plot;
  if (!figures.journal || grid.empty()) return;
  const std::int64_t last = grid.origin() + PlotGrid::kColumns * grid.column_seconds() - 1;
  const auto column_of = [&](std::int64_t utc) {
    return static_cast<std::size_t>((std::clamp(utc, grid.origin(), last) - grid.origin()) /
                                    grid.column_seconds());
  };
  for (const journal::Outage& outage : figures.journal->outages) {
    const std::uint8_t bit = outage.cause == Cause::kRouter     ? Figures::kRouterOutage
                             : outage.cause == Cause::kInternet ? Figures::kInternetOutage
                                                                : 0;
    if (bit == 0) continue;
    const std::size_t to = column_of(std::max(outage.start, outage.end - 1));
    for (std::size_t column = column_of(outage.start); column <= to; ++column)
      figures.outage_columns[column] |= bit;
  }
}

}  // namespace quorvane::report
