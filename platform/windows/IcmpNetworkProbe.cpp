#include "platform/windows/IcmpNetworkProbe.h"

// Winsock's types first, then the IP helper's, which build on them.
#include <winsock2.h>

#include <ws2ipdef.h>

#include <iphlpapi.h>

#include <icmpapi.h>

#include <cstring>
#include <thread>

namespace quorvane {
namespace {

using Clock = std::chrono::steady_clock;

// Icmp6SendEcho2's reply as the system lays it out (ICMPV6_ECHO_REPLY), which
// mingw-w64's headers lack: the address packed, then the status.
#pragma pack(push, 1)
struct Ipv6AddressEx {
  USHORT port;
  ULONG flowinfo;
  USHORT address[8];
  ULONG scope_id;
};
#pragma pack(pop)
struct Icmpv6EchoReply {
  Ipv6AddressEx address;
  ULONG status;
  unsigned int round_trip_time;
};

// The IP helper's functions, looked up once; none where the library is missing.
struct IpHelper {
  decltype(&IcmpCreateFile) icmp_create = nullptr;
  decltype(&Icmp6CreateFile) icmp6_create = nullptr;
  decltype(&IcmpCloseHandle) icmp_close = nullptr;
  decltype(&IcmpSendEcho2) send4 = nullptr;
  decltype(&Icmp6SendEcho2) send6 = nullptr;
  decltype(&Icmp6ParseReplies) parse6 = nullptr;
  decltype(&GetIpForwardTable2) forward_table = nullptr;
  decltype(&FreeMibTable) free_table = nullptr;

  // IPv4 echo is what the probes need; IPv6 echo where the system has it too.
  bool Echoes() const { return icmp_create && icmp_close && send4; }
  bool Echoes6() const { return Echoes() && icmp6_create && send6 && parse6; }
};

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const IpHelper& Helper() {
  static const IpHelper helper = [] {
    IpHelper found;
    // From the system folder only, never beside the program.
    const HMODULE module = LoadLibraryExW(L"iphlpapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return found;
    Find(module, "IcmpCreateFile", found.icmp_create);
    Find(module, "Icmp6CreateFile", found.icmp6_create);
    Find(module, "IcmpCloseHandle", found.icmp_close);
    Find(module, "IcmpSendEcho2", found.send4);
    Find(module, "Icmp6SendEcho2", found.send6);
    Find(module, "Icmp6ParseReplies", found.parse6);
    Find(module, "GetIpForwardTable2", found.forward_table);
    Find(module, "FreeMibTable", found.free_table);
    return found;
  }();
  return helper;
}

EchoResult EchoOne(const IpHelper& helper, const IpAddress& address,
                   std::chrono::milliseconds limit) {
  if (address.v6 && !helper.Echoes6()) return {EchoOutcome::kUnavailable, 0};
  HANDLE handle = address.v6 ? helper.icmp6_create() : helper.icmp_create();
  if (handle == INVALID_HANDLE_VALUE) return {EchoOutcome::kUnavailable, 0};
  char payload[8] = {'q', 'u', 'o', 'r', 'v', 'a', 'n', 'e'};
  // Room for one reply with its payload and an ICMP error's worth of data.
  alignas(8) unsigned char replies[sizeof(Icmpv6EchoReply) + sizeof(ICMP_ECHO_REPLY) + 64];
  const auto timeout = static_cast<DWORD>(limit.count());
  const auto start = Clock::now();
  bool answered = false;
  if (address.v6) {
    sockaddr_in6 source{};
    source.sin6_family = AF_INET6;
    sockaddr_in6 target{};
    target.sin6_family = AF_INET6;
    std::memcpy(&target.sin6_addr, address.bytes.data(), 16);
    const DWORD count = helper.send6(handle, nullptr, nullptr, nullptr, &source, &target, payload,
                                     sizeof payload, nullptr, replies, sizeof replies, timeout);
    answered = count > 0 && helper.parse6(replies, sizeof replies) > 0 &&
               reinterpret_cast<const Icmpv6EchoReply*>(replies)->status == IP_SUCCESS;
  } else {
    IPAddr target = 0;
    std::memcpy(&target, address.bytes.data(), 4);
    const DWORD count = helper.send4(handle, nullptr, nullptr, nullptr, target, payload,
                                     sizeof payload, nullptr, replies, sizeof replies, timeout);
    answered = count > 0 && reinterpret_cast<const ICMP_ECHO_REPLY*>(replies)->Status == IP_SUCCESS;
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  helper.icmp_close(handle);
  if (!answered) return {EchoOutcome::kNoAnswer, 0};
  return {EchoOutcome::kAnswered, ms};
}

}  // namespace

std::optional<IpAddress> IcmpNetworkProbe::RouterAddress() {
  const IpHelper& helper = Helper();
  if (!helper.forward_table || !helper.free_table) return std::nullopt;
  std::optional<IpAddress> best;
  ULONG best_metric = 0;
  // IPv4 first: IPv6 only where no IPv4 default route has a next hop.
  for (const ADDRESS_FAMILY family :
       {static_cast<ADDRESS_FAMILY>(AF_INET), static_cast<ADDRESS_FAMILY>(AF_INET6)}) {
    PMIB_IPFORWARD_TABLE2 table = nullptr;
    if (helper.forward_table(family, &table) != NO_ERROR || !table) continue;
    for (ULONG i = 0; i < table->NumEntries; ++i) {
      const MIB_IPFORWARD_ROW2& row = table->Table[i];
      if (row.DestinationPrefix.PrefixLength != 0) continue;
      IpAddress hop;
      if (family == AF_INET) {
        std::memcpy(hop.bytes.data(), &row.NextHop.Ipv4.sin_addr, 4);
      } else {
        hop.v6 = true;
        std::memcpy(hop.bytes.data(), &row.NextHop.Ipv6.sin6_addr, 16);
      }
      if (hop == IpAddress{hop.v6, {}}) continue;  // on-link: no router
      if (!best || row.Metric < best_metric) {
        best = hop;
        best_metric = row.Metric;
      }
    }
    helper.free_table(table);
    if (best) return best;
  }
  return best;
}

std::string IcmpNetworkProbe::EchoUnavailableReason() {
  return Helper().Echoes() ? std::string()
                           : "Windows' ICMP functions (iphlpapi.dll) could not be loaded, so "
                             "Quorvane cannot probe the router or the internet.";
}

std::vector<EchoResult> IcmpNetworkProbe::Echo(const std::vector<IpAddress>& addresses,
                                               std::chrono::milliseconds limit) {
  std::vector<EchoResult> results(addresses.size());
  const IpHelper& helper = Helper();
  if (!helper.Echoes()) return results;  // unavailable
  // Each echo waits on its own, so none waits behind a slow one.
  std::vector<std::thread> echoes;
  for (std::size_t i = 0; i < addresses.size(); ++i)
    echoes.emplace_back([&, i] { results[i] = EchoOne(helper, addresses[i], limit); });
  for (auto& echo : echoes) echo.join();
  return results;
}

std::vector<EchoResult> IcmpNetworkProbe::Connect(const std::vector<IpAddress>& addresses,
                                                  std::uint16_t, std::chrono::milliseconds) {
  return std::vector<EchoResult>(addresses.size());  // unavailable
}

}  // namespace quorvane
