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
  return policy;
}

const nla_policy* StationInfoPolicy() {
  static nla_policy policy[NL80211_STA_INFO_MAX + 1] = {};
  policy[NL80211_STA_INFO_SIGNAL].type = NLA_U8;
  return policy;
}

bool Parse(nlattr** table, int max, const void* attributes, int length, const nla_policy* policy) {
  if (!attributes || length < 0) return false;
  // libnl takes a mutable pointer but only reads the buffer.
  auto* head = static_cast<nlattr*>(const_cast<void*>(attributes));
  return nla_parse(table, max, head, length, const_cast<nla_policy*>(policy)) == 0;
}

}  // namespace

std::optional<std::uint32_t> StationInterfaceIndex(const void* attributes, int length) {
  nlattr* table[NL80211_ATTR_MAX + 1] = {};
  if (!Parse(table, NL80211_ATTR_MAX, attributes, length, InterfacePolicy())) return std::nullopt;
  if (!table[NL80211_ATTR_IFINDEX] || !table[NL80211_ATTR_IFTYPE]) return std::nullopt;
  if (nla_get_u32(table[NL80211_ATTR_IFTYPE]) != NL80211_IFTYPE_STATION) return std::nullopt;
  return nla_get_u32(table[NL80211_ATTR_IFINDEX]);
}

std::optional<std::int32_t> StationSignal(const void* attributes, int length) {
  nlattr* table[NL80211_ATTR_MAX + 1] = {};
  if (!Parse(table, NL80211_ATTR_MAX, attributes, length, InterfacePolicy()) ||
      !table[NL80211_ATTR_STA_INFO])
    return std::nullopt;
  nlattr* info[NL80211_STA_INFO_MAX + 1] = {};
  if (nla_parse_nested(info, NL80211_STA_INFO_MAX, table[NL80211_ATTR_STA_INFO],
                       const_cast<nla_policy*>(StationInfoPolicy())) != 0 ||
      !info[NL80211_STA_INFO_SIGNAL])
    return std::nullopt;
  // The kernel sends dBm as a signed byte in an unsigned attribute.
  return static_cast<std::int8_t>(nla_get_u8(info[NL80211_STA_INFO_SIGNAL]));
}

}  // namespace quorvane
