#include "platform/portable/WlanLinkContext.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/RadioBand.h"

namespace quorvane {
namespace {

// "aa:bb:cc:dd:ee:ff"; "" for the all-zero address a service gives when it has none.
std::string AddressText(const WlanMacAddress& address) {
  if (std::all_of(address.begin(), address.end(), [](std::uint8_t byte) { return byte == 0; }))
    return {};
  char text[18];
  std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", address[0], address[1],
                address[2], address[3], address[4], address[5]);
  return text;
}

// The centre frequency in MHz of the connection's access point, 0 when the
// service's list does not hold it.
int FrequencyOfAccessPoint(WlanApi& wlan, const WlanInterface& wlan_interface,
                           const WlanConnection& connection) {
  std::vector<WlanBss> access_points;
  if (wlan.ListNetworkBss(wlan_interface, connection, access_points) != 0) return 0;
  const auto entry = std::find_if(
      access_points.begin(), access_points.end(),
      [&](const WlanBss& access_point) { return access_point.bssid == connection.bssid; });
  if (entry == access_points.end()) return 0;
  return static_cast<int>((entry->center_frequency_khz + 500) / 1000);
}

// ERROR_ACCESS_DENIED is the answer both for want of location permission and for
// an administrator's access lists, and nothing in it tells which. Location
// consent holds back only the calls that give access points' addresses, never
// the strength: so the refusal is named location only when the strength of the
// same interface was read while its connection was refused; any other refusal
// is named for what is known of it, access denied.
LinkContext Unavailable(std::uint32_t error, bool strength_read) {
  LinkContext context;
  if (error == WlanApi::kAccessDenied)
    context.status = strength_read ? LinkContext::Status::kUnavailableLocation
                                   : LinkContext::Status::kUnavailableAccessDenied;
  return context;
}

}  // namespace

LinkContext WlanLinkContextSource::Read() {
  std::vector<WlanInterface> interfaces;
  if (const auto error = wlan_.EnumInterfaces(interfaces)) return Unavailable(error, false);
  const auto connected = std::find_if(interfaces.begin(), interfaces.end(),
                                      [](const WlanInterface& item) { return item.connected; });
  if (connected == interfaces.end()) return {};

  WlanConnection connection;
  const auto error = wlan_.QueryCurrentConnection(*connected, connection);
  if (error == 0 && !connection.connected) return {};  // gone since the list was made
  // 0 dBm is the service's "no reading", as for the level.
  std::int32_t dbm = 0;
  const bool strength_read = wlan_.QueryRssi(*connected, dbm) == 0;
  LinkContext context = Unavailable(error, strength_read);
  if (strength_read && dbm != 0) context.signal_dbm = dbm;
  if (error) return context;

  context.status = LinkContext::Status::kKnown;
  context.ssid = connection.ssid;
  context.bssid = AddressText(connection.bssid);
  if (!context.bssid.empty())
    context.frequency_mhz = FrequencyOfAccessPoint(wlan_, *connected, connection);
  if (context.frequency_mhz) context.channel = ChannelOf(context.frequency_mhz);
  std::uint32_t channel = 0;
  if (context.channel == 0 && wlan_.QueryChannel(*connected, channel) == 0)
    context.channel = static_cast<int>(channel);
  if (connection.tx_rate_kbps) context.bitrate_mbps = connection.tx_rate_kbps / 1000.0;
  return context;
}

}  // namespace quorvane
