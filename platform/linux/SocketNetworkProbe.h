#pragma once

#include "platform/NetworkProbe.h"

namespace quorvane {

// ICMP echo through a datagram socket where the system's ping group range allows
// it, else a raw socket where the process holds CAP_NET_RAW; TCP connection
// attempts through non-blocking sockets; the router from /proc/net's routes.
class SocketNetworkProbe : public NetworkProbe {
 public:
  std::optional<IpAddress> RouterAddress() override;
  std::string EchoUnavailableReason() override;
  std::vector<EchoResult> Echo(const std::vector<IpAddress>& addresses,
                               std::chrono::milliseconds limit) override;
  std::vector<EchoResult> Connect(const std::vector<IpAddress>& addresses, std::uint16_t port,
                                  std::chrono::milliseconds limit) override;
};

}  // namespace quorvane
