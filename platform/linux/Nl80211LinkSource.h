#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/LinkContext.h"
#include "platform/linux/Nl80211Socket.h"

struct nl_sock;

namespace quorvane {

// The link's context from the kernel's nl80211 interface: the first station
// interface associated with a network gives the SSID and the frequency, and its
// access point's station entry the BSSID, the signal and the transmit bitrate.
// The socket is opened at the first reading and kept; after a failure the next
// reading opens a new one.
class Nl80211LinkSource : public LinkContextSource {
 public:
  // The seams: the family's number on the socket (kNoNl80211Family when the kernel
  // has none, negative on a failure) and one dump request, as Nl80211Dump.
  using FamilyLookup = std::function<int(nl_sock* socket)>;
  using Dumper =
      std::function<int(nl_sock* socket, int family, std::uint8_t command,
                        std::optional<std::uint32_t> ifindex, const AttributeHandler& handler)>;

  Nl80211LinkSource();
  Nl80211LinkSource(FamilyLookup lookup, Dumper dump);
  ~Nl80211LinkSource() override;

  LinkContext Read() override;

 private:
  struct SocketDeleter {
    void operator()(nl_sock* socket) const;
  };
  bool Connect();

  FamilyLookup lookup_;
  Dumper dump_;
  std::unique_ptr<nl_sock, SocketDeleter> socket_;
  int family_ = kNoNl80211Family;
};

}  // namespace quorvane
