#include "model/IpAddress.h"

#include <cstdio>
#include <vector>

#include "base/Digits.h"

namespace quorvane {
namespace {

std::optional<std::array<std::uint8_t, 4>> ParseIpv4(std::string_view text) {
  std::array<std::uint8_t, 4> bytes{};
  for (std::size_t part = 0; part < 4; ++part) {
    const std::size_t dot = text.find('.');
    const std::string_view digits = part < 3 ? text.substr(0, dot) : text;
    if ((part < 3 && dot == std::string_view::npos) || digits.empty() || digits.size() > 3 ||
        (digits.size() > 1 && digits.front() == '0'))
      return std::nullopt;
    int value = 0;
    for (const char c : digits) {
      if (!IsDigit(c)) return std::nullopt;
      value = value * 10 + (c - '0');
    }
    if (value > 255) return std::nullopt;
    bytes[part] = static_cast<std::uint8_t>(value);
    if (part < 3) text.remove_prefix(dot + 1);
  }
  return bytes;
}

// Groups of up to four hex digits separated by colons; an IPv4 tail counts as two.
bool ParseGroups(std::string_view text, std::vector<std::uint16_t>& groups,
                 bool ipv4_tail_allowed) {
  if (text.empty()) return true;
  while (true) {
    const std::size_t colon = text.find(':');
    const std::string_view group = text.substr(0, colon);
    if (colon == std::string_view::npos && ipv4_tail_allowed &&
        group.find('.') != std::string_view::npos) {
      const auto v4 = ParseIpv4(group);
      if (!v4) return false;
      groups.push_back(static_cast<std::uint16_t>((*v4)[0] << 8 | (*v4)[1]));
      groups.push_back(static_cast<std::uint16_t>((*v4)[2] << 8 | (*v4)[3]));
      return true;
    }
    if (group.empty() || group.size() > 4) return false;
    int value = 0;
    for (const char c : group) {
      const int digit = HexDigitValue(c);
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    groups.push_back(static_cast<std::uint16_t>(value));
    if (colon == std::string_view::npos) return true;
    text.remove_prefix(colon + 1);
  }
}

std::optional<std::array<std::uint8_t, 16>> ParseIpv6(std::string_view text) {
  std::vector<std::uint16_t> head;
  std::vector<std::uint16_t> tail;
  const std::size_t gap = text.find("::");
  if (gap == std::string_view::npos) {
    if (!ParseGroups(text, head, true) || head.size() != 8) return std::nullopt;
  } else {
    if (text.find("::", gap + 1) != std::string_view::npos) return std::nullopt;
    if (!ParseGroups(text.substr(0, gap), head, false) ||
        !ParseGroups(text.substr(gap + 2), tail, true) || head.size() + tail.size() > 7)
      return std::nullopt;
    head.resize(8 - tail.size(), 0);
    head.insert(head.end(), tail.begin(), tail.end());
  }
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < 8; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(head[i] >> 8);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(head[i] & 0xff);
  }
  return bytes;
}

}  // namespace

std::optional<IpAddress> ParseIpAddress(std::string_view text) {
  IpAddress address;
  if (const auto v4 = ParseIpv4(text)) {
    std::copy(v4->begin(), v4->end(), address.bytes.begin());
    return address;
  }
  if (text.find(':') == std::string_view::npos) return std::nullopt;
  const auto v6 = ParseIpv6(text);
  if (!v6) return std::nullopt;
  address.v6 = true;
  address.bytes = *v6;
  return address;
}

std::string IpAddressText(const IpAddress& address) {
  char text[48];
  const auto& b = address.bytes;
  if (!address.v6) {
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
  }
  std::string result;
  for (std::size_t i = 0; i < 16; i += 2) {
    std::snprintf(text, sizeof text, i ? ":%x" : "%x", b[i] << 8 | b[i + 1]);
    result += text;
  }
  return result;
}

}  // namespace quorvane
