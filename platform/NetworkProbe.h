#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/IpAddress.h"

namespace quorvane {

// What one probe of one address found.
enum class EchoOutcome {
  kAnswered,     // an echo reply came, or a TCP connection was accepted or refused
  kNoAnswer,     // nothing within the time limit, or the address is unreachable
  kUnavailable,  // the probe could not be sent at all
};

struct EchoResult {
  EchoOutcome outcome = EchoOutcome::kUnavailable;
  double rtt_ms = 0;  // round-trip time in milliseconds, when answered
};

// Probes of the router and of addresses on the internet. Each call probes all its
// addresses at the same time, each with the same time limit, and blocks until
// every one has answered or timed out; it is called off the user-interface
// thread. Implementations keep no state between calls.
class NetworkProbe {
 public:
  virtual ~NetworkProbe() = default;
  // The next hop of the default route: IPv4, else IPv6; none without one.
  virtual std::optional<IpAddress> RouterAddress() = 0;
  // Why ICMP echo cannot be sent by this process ("" when it can).
  virtual std::string EchoUnavailableReason() = 0;
  virtual std::vector<EchoResult> Echo(const std::vector<IpAddress>& addresses,
                                       std::chrono::milliseconds limit) = 0;
  // A TCP connection attempt to `port`; answered when the host accepts or refuses.
  virtual std::vector<EchoResult> Connect(const std::vector<IpAddress>& addresses,
                                          std::uint16_t port, std::chrono::milliseconds limit) = 0;
};

}  // namespace quorvane
