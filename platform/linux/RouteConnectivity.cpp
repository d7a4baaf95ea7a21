#include "platform/linux/RouteConnectivity.h"

#include <fcntl.h>
#include <unistd.h>

#include <sstream>
#include <string>

namespace quorvane {
namespace {

constexpr unsigned long kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned long kRouteReject = 0x0200;  // RTF_REJECT

bool Usable(unsigned long flags, const std::string& interface_name) {
  return (flags & kRouteUp) && !(flags & kRouteReject) && interface_name != "lo";
}

unsigned long ParseHex(const std::string& text) {
  try {
    return std::stoul(text, nullptr, 16);
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace

// Plain system calls: this runs once a second, and the routing tables are a few
// hundred bytes.
std::string ReadProcFile(const char* path) {
  std::string text;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(got));
  ::close(fd);
  return text;
}

namespace {

// Calls `found` with the next hop of each usable default route (hex, as the table
// gives it) until it returns true; returns whether one did.
template <typename Found>
bool AnyIpv4DefaultRoute(std::string_view table, Found found) {
  std::istringstream lines{std::string(table)};
  std::string line;
  std::getline(lines, line);  // column headings
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string interface_name, destination, gateway, flags, refcount, use, metric, mask;
    if (!(fields >> interface_name >> destination >> gateway >> flags >> refcount >> use >>
          metric >> mask))
      continue;
    if (destination == "00000000" && mask == "00000000" &&
        Usable(ParseHex(flags), interface_name) && found(gateway))
      return true;
  }
  return false;
}

template <typename Found>
bool AnyIpv6DefaultRoute(std::string_view table, Found found) {
  std::istringstream lines{std::string(table)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string destination, prefix, source, source_prefix, next_hop, metric, refcount, use, flags,
        interface_name;
    if (!(fields >> destination >> prefix >> source >> source_prefix >> next_hop >> metric >>
          refcount >> use >> flags >> interface_name))
      continue;
    if (destination == std::string(32, '0') && prefix == "00" &&
        Usable(ParseHex(flags), interface_name) && found(next_hop))
      return true;
  }
  return false;
}

}  // namespace

bool HasIpv4DefaultRoute(std::string_view table) {
  return AnyIpv4DefaultRoute(table, [](const std::string&) { return true; });
}

bool HasIpv6DefaultRoute(std::string_view table) {
  return AnyIpv6DefaultRoute(table, [](const std::string&) { return true; });
}

std::optional<IpAddress> Ipv4DefaultGateway(std::string_view table) {
  std::optional<IpAddress> gateway;
  AnyIpv4DefaultRoute(table, [&](const std::string& hex) {
    // The kernel prints the address as a number in the machine's (little-endian) order.
    const unsigned long value = ParseHex(hex);
    if (value == 0) return false;
    IpAddress address;
    for (int i = 0; i < 4; ++i) address.bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    gateway = address;
    return true;
  });
  return gateway;
}

std::optional<IpAddress> Ipv6DefaultGateway(std::string_view table) {
  std::optional<IpAddress> gateway;
  AnyIpv6DefaultRoute(table, [&](const std::string& hex) {
    if (hex.size() != 32 || hex == std::string(32, '0')) return false;
    IpAddress address;
    address.v6 = true;
    for (std::size_t i = 0; i < 16; ++i)
      address.bytes[i] = static_cast<std::uint8_t>(ParseHex(hex.substr(2 * i, 2)));
    gateway = address;
    return true;
  });
  return gateway;
}

bool RouteConnectivity::IsInternetConnected() const {
  return HasIpv4DefaultRoute(ReadProcFile("/proc/net/route")) ||
         HasIpv6DefaultRoute(ReadProcFile("/proc/net/ipv6_route"));
}

}  // namespace quorvane
