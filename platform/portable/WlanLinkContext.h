#pragma once

#include "platform/LinkContext.h"
#include "platform/WlanApi.h"

namespace quorvane {

// The link's context from the WLAN service, for the first connected interface:
// the connection gives the network, the access point and the transmit rate; the
// service's list of the network's access points gives the frequency, which tells
// a 6 GHz channel from a 2.4 GHz one of the same number; the channel number is
// asked for only when the list does not hold the access point. Windows 11 24H2
// and later refuse the connection without location permission: the context is
// then unavailable, yet the strength, which needs no permission, is kept. A
// refusal that is not plainly the location's is told apart as access denied.
// Standard C++ over WlanApi, so that it is tested on every system.
class WlanLinkContextSource : public LinkContextSource {
 public:
  explicit WlanLinkContextSource(WlanApi& wlan) : wlan_(wlan) {}

  LinkContext Read() override;

 private:
  WlanApi& wlan_;
};

}  // namespace quorvane
