#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/IpAddress.h"
#include "platform/Connectivity.h"

namespace quorvane {

// Whether a routing table (the text of /proc/net/route or /proc/net/ipv6_route)
// holds a default route that is up, not a reject route and not on loopback.
bool HasIpv4DefaultRoute(std::string_view proc_net_route);
bool HasIpv6DefaultRoute(std::string_view proc_net_ipv6_route);
// The next hop of the first such route that has one.
std::optional<IpAddress> Ipv4DefaultGateway(std::string_view proc_net_route);
std::optional<IpAddress> Ipv6DefaultGateway(std::string_view proc_net_ipv6_route);

// A small file of the kernel's, whole ("" when it cannot be read).
std::string ReadProcFile(const char* path);

// Connected when the kernel has a usable default route of either IP version.
class RouteConnectivity : public Connectivity {
 public:
  bool IsInternetConnected() const override;
};

}  // namespace quorvane
