// One round of the system's probes against the addresses on its command line,
// printed as "router ADDRESS STATE internet STATE". Run only inside network
// namespaces of the test's own (the scripts in tests/e2e/probes/ make them with
// netns), never elsewhere.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/windows/IcmpNetworkProbe.h"
using SystemProbe = quorvane::IcmpNetworkProbe;
#else
#include "platform/linux/SocketNetworkProbe.h"
using SystemProbe = quorvane::SocketNetworkProbe;
#endif
#include "probes/ProbeRound.h"

int main(int argc, char* argv[]) {
  std::string targets;
  for (int i = 1; i < argc; ++i) targets += std::string(argv[i]) + " ";
  SystemProbe probe;
  const auto router = probe.RouterAddress();
  const auto round = quorvane::probes::RunProbeRound(
      probe, quorvane::probes::ParseTargets(targets).addresses, std::chrono::milliseconds(1000));
  std::printf("router %s %s internet %s\n",
              router ? quorvane::IpAddressText(*router).c_str() : "none",
              std::string(quorvane::ProbeStateText(round.router.state)).c_str(),
              std::string(quorvane::ProbeStateText(round.internet.state)).c_str());
  return 0;
}
