#pragma once

#include "platform/NetworkProbe.h"

namespace quorvane {

// ICMP echo through IcmpSendEcho2 and Icmp6SendEcho2, which Windows lets every
// user send; the router from GetIpForwardTable2. iphlpapi.dll is loaded from the
// system folder on first use. No TCP attempts: echo is never refused here, so they
// would only be needed where iphlpapi.dll is missing, and then report unavailable.
class IcmpNetworkProbe : public NetworkProbe {
 public:
  std::optional<IpAddress> RouterAddress() override;
  std::string EchoUnavailableReason() override;
  std::vector<EchoResult> Echo(const std::vector<IpAddress>& addresses,
                               std::chrono::milliseconds limit) override;
  std::vector<EchoResult> Connect(const std::vector<IpAddress>& addresses, std::uint16_t port,
                                  std::chrono::milliseconds limit) override;
};

}  // namespace quorvane
