#include "report/Figures.h"

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

}  // namespace quorvane::report
