#pragma once

#include <functional>

namespace quorvane {

// Draws a whole number from 1 to 100 from a generator seeded with `seed`.
using DrawFrom1To100 = std::function<int(int seed)>;

// The draw at start-up that opens the maker's home page on a 7: about one start
// in a hundred, whatever the seed's neighbours drew.
int DrawForHomePage(int seed);

}  // namespace quorvane
