#include "window/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

// The share of light a channel of 0 to 255 gives once the sRGB curve is undone.
double Linear(unsigned channel) {
  const double value = channel / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(unsigned rgb) {
  return 0.2126 * Linear(rgb >> 16 & 0xFF) + 0.7152 * Linear(rgb >> 8 & 0xFF) +
         0.0722 * Linear(rgb & 0xFF);
}

}  // namespace

double ContrastRatio(unsigned first, unsigned second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool ReadableOn(unsigned text, unsigned background) {
  return ContrastRatio(text, background) >= 4.5;
}

}  // namespace quorvane
