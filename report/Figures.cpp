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

int MethodFigures::Median() const {
  if (samples == 0) return 0;
  const std::uint64_t middle = (samples + 1) / 2;
  std::uint64_t seen = 0;
  for (int v = 0; v <= 100; ++v) {
    seen += histogram[v];
    if (seen >= middle) return v;
  }
  return 100;
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
