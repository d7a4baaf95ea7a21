#pragma once

#include <cstdint>
#include <optional>

namespace quorvane {

// Readers of nl80211 answers, given the attributes of one generic-netlink message
// (what follows its generic header). They trust nothing in the bytes.

// The interface index of an interface-dump answer when that interface is a
// station (a client of an access point); nothing for any other kind.
std::optional<std::uint32_t> StationInterfaceIndex(const void* attributes, int length);

// The signal in dBm of a station-dump answer, when it carries one.
std::optional<std::int32_t> StationSignal(const void* attributes, int length);

}  // namespace quorvane
