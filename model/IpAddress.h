#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// An IPv4 or IPv6 address, in network byte order.
struct IpAddress {
  bool v6 = false;
  std::array<std::uint8_t, 16> bytes{};  // IPv4 uses the first 4

  bool operator==(const IpAddress&) const = default;
};

// "192.0.2.1" or an IPv6 address ("2001:db8::1"); none for anything else,
// a hostname included.
std::optional<IpAddress> ParseIpAddress(std::string_view text);
// The dotted or colon form; IPv6 without shortening.
std::string IpAddressText(const IpAddress& address);

}  // namespace quorvane
