#pragma once

#include <cstdint>
#include <functional>
#include <optional>

struct nl_sock;

namespace quorvane {

// Called with the attributes of each answer: their start and length in bytes.
using AttributeHandler = std::function<void(const void* attributes, int length)>;

// Sends one nl80211 dump request (on one interface when `ifindex` is given) and
// hands the attributes of every answer to `handler`. Returns 0 or a negative
// libnl error.
int Nl80211Dump(nl_sock* socket, int family, std::uint8_t command,
                std::optional<std::uint32_t> ifindex, const AttributeHandler& handler);

// The nl80211 family's number on the socket; none when the kernel has no nl80211,
// and a negative libnl error on any other failure.
int ResolveNl80211FamilyNumber(nl_sock* socket);

inline constexpr int kNoNl80211Family = -1;

}  // namespace quorvane
