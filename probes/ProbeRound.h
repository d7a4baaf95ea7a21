#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "model/Cause.h"
#include "model/IpAddress.h"
#include "platform/NetworkProbe.h"

namespace quorvane::probes {

// The "Internet Targets" setting: IP addresses separated by commas, semicolons or
// blanks. An empty list turns the internet probes off.
struct TargetList {
  std::vector<IpAddress> addresses;
  std::vector<std::string> refused;  // each entry that is no IP address (a hostname, say)
};
TargetList ParseTargets(std::string_view text);

// The time limit of a round: 1 second, or the interval when that is shorter.
std::chrono::milliseconds RoundLimit(int interval_seconds);

// What one round of probes found.
struct RoundResult {
  ProbeResult router;
  ProbeResult internet;
  // Why a probe was unavailable, for telling the user once per run; "" otherwise.
  std::string unavailable_reason;
};

// Probes the router with ICMP echo, and the targets with ICMP echo, or where ICMP
// cannot be sent with a TCP connection attempt to port 443, then to 53. The
// internet is up when any target answers, with the fastest answer's time.
RoundResult RunProbeRound(NetworkProbe& probe, const std::vector<IpAddress>& targets,
                          std::chrono::milliseconds limit);

}  // namespace quorvane::probes
