#include "platform/linux/Nl80211LinkSource.h"

#include <linux/nl80211.h>
#include <netlink/genl/genl.h>
#include <netlink/netlink.h>

#include <utility>

#include "platform/linux/Nl80211Messages.h"

namespace quorvane {

void Nl80211LinkSource::SocketDeleter::operator()(nl_sock* socket) const { nl_socket_free(socket); }

Nl80211LinkSource::Nl80211LinkSource()
    : Nl80211LinkSource(ResolveNl80211FamilyNumber, Nl80211Dump) {}

Nl80211LinkSource::Nl80211LinkSource(FamilyLookup lookup, Dumper dump)
    : lookup_(std::move(lookup)), dump_(std::move(dump)) {}

Nl80211LinkSource::~Nl80211LinkSource() = default;

bool Nl80211LinkSource::Connect() {
  if (!socket_) {
    std::unique_ptr<nl_sock, SocketDeleter> socket(nl_socket_alloc());
    if (!socket || genl_connect(socket.get()) < 0) return false;
    socket_ = std::move(socket);
    family_ = kNoNl80211Family;
  }
  // Missing at the last look: the wireless modules may have been loaded since.
  if (family_ < 0) family_ = lookup_(socket_.get());
  return family_ >= 0;
}

LinkContext Nl80211LinkSource::Read() {
  LinkContext link;
  if (!Connect()) return link;
  std::optional<StationInterface> in_use;
  const int listed = dump_(socket_.get(), family_, NL80211_CMD_GET_INTERFACE, std::nullopt,
                           [&](const void* attributes, int length) {
                             auto station = StationInterfaceOf(attributes, length);
                             if (!in_use && station && station->ssid) in_use = std::move(station);
                           });
  if (listed < 0) {
    socket_.reset();  // a fresh socket next time, in case this one is out of step
    return link;
  }
  if (!in_use) return link;  // not associated
  link.status = LinkContext::Status::kKnown;
  link.ssid = std::move(*in_use->ssid);
  link.frequency_mhz = in_use->frequency_mhz;

  std::optional<AccessPointStation> access_point;
  const int read = dump_(socket_.get(), family_, NL80211_CMD_GET_STATION, in_use->index,
                         [&](const void* attributes, int length) {
                           if (!access_point)
                             access_point = AccessPointStationOf(attributes, length);
                         });
  // The interface's part stands when its station cannot be read (it went meanwhile).
  if (read < 0 && read != -NLE_NODEV) socket_.reset();
  if (access_point) {
    link.bssid = std::move(access_point->bssid);
    link.signal_dbm = access_point->signal_dbm;
    link.bitrate_mbps = access_point->transmit_mbps;
  }
  return link;
}

}  // namespace quorvane
