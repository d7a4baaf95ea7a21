#include "platform/linux/Nl80211Messages.h"

#include <linux/nl80211.h>
#include <netlink/attr.h>

namespace quorvane {
namespace {

// Attributes whose payload is read are checked for their size before use.
const nla_policy* InterfacePolicy() {
  static nla_policy policy[NL80211_ATTR_MAX + 1] = {};
  policy[NL80211_ATTR_IFINDEX].type = NLA_U32;
  policy[NL80211_ATTR_IFTYPE].type = NLA_U32;
  policy[NL80211_ATTR_STA_INFO].type = NLA_NESTED;
  policy[NL80211_ATTR_WIPHY_FREQ].type = NLA_U32;
  return policy;
}

const nla_policy* StationInfoPolicy() {
  static nla_policy policy[NL80211_STA_INFO_MAX + 1] = {};
  policy[NL80211_STA_INFO_SIGNAL].type = NLA_U8;
  policy[NL80211_STA_INFO_TX_BITRATE].type = NLA_NESTED;
  return policy;
}

const nla_policy* RateInfoPolicy() {
  static nla_policy policy[NL80211_RATE_INFO_MAX + 1] = {};
  policy[NL80211_RATE_INFO_BITRATE].type = NLA_U16;
  policy[NL80211_RATE_INFO_BITRATE32].type = NLA_U32;
  return policy;
}

constexpr int kLongestSsid = 32;  // bytes
constexpr int kMacLength = 6;

std::string MacText(const nlattr* attribute) {
  if (nla_len(attribute) != kMacLength) return "";
  const auto* bytes = static_cast<const unsigned char*>(nla_data(attribute));
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < kMacLength; ++i) {
    if (i > 0) text += ':';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0xf];
  }
  return text;
}

// The transmit bitrate of a station's rate information, in Mbit/s; the kernel
// counts in 100 kbit/s, in 32 bits where 16 do not reach.
std::optional<double> TransmitMbps(nlattr* rate_attribute) {
  nlattr* rate[NL80211_RATE_INFO_MAX + 1] = {};
  if (nla_parse_nested(rate, NL80211_RATE_INFO_MAX, rate_attribute,
                       const_cast<nla_policy*>(RateInfoPolicy())) != 0)
    return std::nullopt;
  if (rate[NL80211_RATE_INFO_BITRATE32])
    return nla_get_u32(rate[NL80211_RATE_INFO_BITRATE32]) / 10.0;
  if (rate[NL80211_RATE_INFO_BITRATE]) return nla_get_u16(rate[NL80211_RATE_INFO_BITRATE]) / 10.0;
  return std::nullopt;
}

bool Parse(nlattr** table, int max, const void* attributes, int length, const nla_policy* policy) {
  if (!attributes || length < 0) return false;
  // libnl takes a mutable pointer but only reads the buffer.
  auto* head = static_cast<nlattr*>(const_cast<void*>(attributes));
  return nla_parse(table, max, head, length, const_cast<nla_policy*>(policy)) == 0;
}

}  // namespace

std::optional<StationInterface> StationInterfaceOf(const void* attributes, int length) {
  nlattr* table[NL80211_ATTR_MAX + 1] = {};
  if (!Parse(table, NL80211_ATTR_MAX, attributes, length, InterfacePolicy())) return std::nullopt;
  if (!table[NL80211_ATTR_IFINDEX] || !table[NL80211_ATTR_IFTYPE]) return std::nullopt;
  if (nla_get_u32(table[NL80211_ATTR_IFTYPE]) != NL80211_IFTYPE_STATION) return std::nullopt;
  StationInterface station;
  station.index = nla_get_u32(table[NL80211_ATTR_IFINDEX]);
  if (const nlattr* ssid = table[NL80211_ATTR_SSID]; ssid && nla_len(ssid) <= kLongestSsid)
    station.ssid.emplace(static_cast<const char*>(nla_data(ssid)),
                         static_cast<std::size_t>(nla_len(ssid)));
  if (table[NL80211_ATTR_WIPHY_FREQ])
    station.frequency_mhz = static_cast<int>(nla_get_u32(table[NL80211_ATTR_WIPHY_FREQ]));
  return station;
}

std::optional<std::uint32_t> StationInterfaceIndex(const void* attributes, int length) {
  if (const auto station = StationInterfaceOf(attributes, length)) return station->index;
  return std::nullopt;
}

std::optional<AccessPointStation> AccessPointStationOf(const void* attributes, int length) {
  nlattr* table[NL80211_ATTR_MAX + 1] = {};
  if (!Parse(table, NL80211_ATTR_MAX, attributes, length, InterfacePolicy())) return std::nullopt;
  AccessPointStation station;
  if (table[NL80211_ATTR_MAC]) station.bssid = MacText(table[NL80211_ATTR_MAC]);
  nlattr* info[NL80211_STA_INFO_MAX + 1] = {};
  if (table[NL80211_ATTR_STA_INFO] &&
      nla_parse_nested(info, NL80211_STA_INFO_MAX, table[NL80211_ATTR_STA_INFO],
                       const_cast<nla_policy*>(StationInfoPolicy())) == 0) {
    // The kernel sends dBm as a signed byte in an unsigned attribute.
    if (info[NL80211_STA_INFO_SIGNAL])
      station.signal_dbm = static_cast<std::int8_t>(nla_get_u8(info[NL80211_STA_INFO_SIGNAL]));
    if (info[NL80211_STA_INFO_TX_BITRATE])
      station.transmit_mbps = TransmitMbps(info[NL80211_STA_INFO_TX_BITRATE]);
  }
  if (station.bssid.empty() && !station.signal_dbm && !station.transmit_mbps) return std::nullopt;
  return station;
}

std::optional<std::int32_t> StationSignal(const void* attributes, int length) {
  if (const auto station = AccessPointStationOf(attributes, length)) return station->signal_dbm;
  return std::nullopt;
}

}  // namespace quorvane
