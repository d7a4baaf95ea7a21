#pragma once

namespace quorvane {

// The contrast between two colours (0xRRGGBB): the ratio of their relative
// luminances, lighter over darker, from 1 (alike) to 21 (black and white).
double ContrastRatio(unsigned first, unsigned second);

// Whether text of one colour reads on the other: at least 4.5 to 1, the usual
// floor for text of ordinary size.
bool ReadableOn(unsigned text, unsigned background);

}  // namespace quorvane
