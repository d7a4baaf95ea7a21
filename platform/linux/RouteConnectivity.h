#pragma once

#include <string_view>

#include "platform/Connectivity.h"

namespace quorvane {

// Whether a routing table (the text of /proc/net/route or /proc/net/ipv6_route)
// holds a default route that is up, not a reject route and not on loopback.
bool HasIpv4DefaultRoute(std::string_view proc_net_route);
bool HasIpv6DefaultRoute(std::string_view proc_net_ipv6_route);

// Connected when the kernel has a usable default route of either IP version.
class RouteConnectivity : public Connectivity {
 public:
  bool IsInternetConnected() const override;
};

}  // namespace quorvane
