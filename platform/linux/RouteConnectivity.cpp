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

// Reads a small file of the kernel's whole, with plain system calls: this runs
// once a second, and the routing tables are a few hundred bytes.
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

}  // namespace

bool HasIpv4DefaultRoute(std::string_view table) {
  std::istringstream lines{std::string(table)};
  std::string line;
  std::getline(lines, line);  // column headings
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string interface_name, destination, gateway, flags, refcount, use, metric, mask;
    if (!(fields >> interface_name >> destination >> gateway >> flags >> refcount >> use >>
          metric >> mask))
      continue;
    if (destination == "00000000" && mask == "00000000" && Usable(ParseHex(flags), interface_name))
      return true;
  }
  return false;
}

bool HasIpv6DefaultRoute(std::string_view table) {
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
        Usable(ParseHex(flags), interface_name))
      return true;
  }
  return false;
}

bool RouteConnectivity::IsInternetConnected() const {
  return HasIpv4DefaultRoute(ReadProcFile("/proc/net/route")) ||
         HasIpv6DefaultRoute(ReadProcFile("/proc/net/ipv6_route"));
}

}  // namespace quorvane
