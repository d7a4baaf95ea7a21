#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

// Readers of nl80211 answers, given the attributes of one generic-netlink message
// (what follows its generic header). They trust nothing in the bytes.

// The interface index of an interface-dump answer when that interface is a
// station (a client of an access point); nothing for any other kind.
std::optional<std::uint32_t> StationInterfaceIndex(const void* attributes, int length);

// A station interface as an interface-dump answer describes it: while it is
// associated the kernel adds the network's SSID and the frequency in use.
struct StationInterface {
  std::uint32_t index = 0;
  std::optional<std::string> ssid;  // raw bytes, 0 to 32 of them; none when not associated
  int frequency_mhz = 0;            // 0 when not told
};
std::optional<StationInterface> StationInterfaceOf(const void* attributes, int length);

// What a station-dump answer of a station interface tells of its access point.
struct AccessPointStation {
  std::string bssid;  // "aa:bb:cc:dd:ee:ff"; "" when the address is missing
  std::optional<std::int32_t> signal_dbm;
  std::optional<double> transmit_mbps;
};
std::optional<AccessPointStation> AccessPointStationOf(const void* attributes, int length);

// The signal in dBm of a station-dump answer, when it carries one.
std::optional<std::int32_t> StationSignal(const void* attributes, int length);

}  // namespace quorvane
