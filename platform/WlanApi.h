#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quorvane {

// One wireless interface as the WLAN service lists it.
struct WlanInterface {
  std::array<std::uint8_t, 16> id{};  // the interface's GUID, as the service gave it
  bool connected = false;             // associated with a network and ready
};

// The system's WLAN service, call by call. Each call answers a system error code,
// 0 when it succeeded, so that the caller decides what each failure means.
class WlanApi {
 public:
  static constexpr std::uint32_t kAccessDenied = 5;  // ERROR_ACCESS_DENIED

  virtual ~WlanApi() = default;
  // The wireless interfaces, in the service's order.
  virtual std::uint32_t EnumInterfaces(std::vector<WlanInterface>& interfaces) = 0;
  // The received signal strength of the interface's connection, in dBm.
  virtual std::uint32_t QueryRssi(const WlanInterface& wlan_interface, std::int32_t& dbm) = 0;
};

}  // namespace quorvane
