#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The band of a WiFi frequency in MHz: "2.4", "5" or "6" (GHz); "" for none of them.
std::string_view BandOf(int frequency_mhz);

// The channel number of a WiFi frequency in MHz within its band; 0 when the
// frequency is on no channel.
int ChannelOf(int frequency_mhz);

}  // namespace quorvane
