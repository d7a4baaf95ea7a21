#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace quorvane::testing {

// Builds netlink attributes byte by byte, as the kernel lays them out: a 16-bit
// length (header included), a 16-bit type, the payload, padding to 4 bytes.
class NetlinkAttributes {
 public:
  NetlinkAttributes& U32(std::uint16_t type, std::uint32_t value) {
    return Raw(type, std::string(reinterpret_cast<const char*>(&value), 4));
  }
  NetlinkAttributes& U8(std::uint16_t type, std::uint8_t value) {
    return Raw(type, std::string(1, static_cast<char>(value)));
  }
  NetlinkAttributes& Nested(std::uint16_t type, const NetlinkAttributes& inner) {
    return Raw(type, inner.bytes());
  }
  NetlinkAttributes& Raw(std::uint16_t type, const std::string& payload) {
    const auto length = static_cast<std::uint16_t>(4 + payload.size());
    bytes_.append(reinterpret_cast<const char*>(&length), 2);
    bytes_.append(reinterpret_cast<const char*>(&type), 2);
    bytes_ += payload;
    bytes_.append((4 - bytes_.size() % 4) % 4, '\0');
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace quorvane::testing
