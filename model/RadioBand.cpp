#include "model/RadioBand.h"

namespace quorvane {
namespace {

// The channel of a frequency on a band's 5 MHz grid starting at `base`; 0 off the grid.
int GridChannel(int frequency_mhz, int base) {
  const int offset = frequency_mhz - base;
  return offset > 0 && offset % 5 == 0 ? offset / 5 : 0;
}

}  // namespace

std::string_view BandOf(int frequency_mhz) {
  if (frequency_mhz >= 2400 && frequency_mhz <= 2500) return "2.4";
  if (frequency_mhz >= 4900 && frequency_mhz < 5925) return "5";
  if (frequency_mhz >= 5925 && frequency_mhz <= 7125) return "6";
  return "";
}

int ChannelOf(int frequency_mhz) {
  const std::string_view band = BandOf(frequency_mhz);
  if (band == "2.4") return frequency_mhz == 2484 ? 14 : GridChannel(frequency_mhz, 2407);
  if (band == "5")  // 4.9 GHz channels count from 4000 MHz, as in Japan
    return GridChannel(frequency_mhz, frequency_mhz < 5000 ? 4000 : 5000);
  if (band == "6") return frequency_mhz == 5935 ? 2 : GridChannel(frequency_mhz, 5950);
  return 0;
}

}  // namespace quorvane
