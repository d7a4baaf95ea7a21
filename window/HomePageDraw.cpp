#include "window/HomePageDraw.h"

#include <random>

namespace quorvane {

int DrawForHomePage(int seed) {
  // The seed is the time of day, so neighbouring seeds are neighbouring starts.
  // A linear generator's first number follows its seed in a straight line, which
  // would give the same answer to every start within minutes; the seed sequence
  // scatters them first.
  std::seed_seq scattered{seed};
  std::mt19937 generator(scattered);
  return std::uniform_int_distribution<int>(1, 100)(generator);
}

}  // namespace quorvane
