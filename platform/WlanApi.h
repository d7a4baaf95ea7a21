#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// A station's hardware address, as the WLAN service gives it.
using WlanMacAddress = std::array<std::uint8_t, 6>;

// One wireless interface as the WLAN service lists it.
struct WlanInterface {
  std::array<std::uint8_t, 16> id{};  // the interface's GUID, as the service gave it
  bool connected = false;             // associated with a network and ready
};

// The association of an interface, as the WLAN service reports it.
struct WlanConnection {
  bool connected = false;  // the service's own state of the interface
  std::string ssid;        // raw bytes, at most 32, in no particular encoding
  WlanMacAddress bssid{};
  std::uint32_t rx_rate_kbps = 0;
  std::uint32_t tx_rate_kbps = 0;
  // What the service needs to list the access points of the same network.
  std::uint32_t bss_type = 0;
  bool security_enabled = false;
};

// One access point of a network, as the service last saw it.
struct WlanBss {
  WlanMacAddress bssid{};
  std::uint32_t center_frequency_khz = 0;
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
  // The interface's current connection. Refused without location permission on
  // Windows 11 24H2 and later.
  virtual std::uint32_t QueryCurrentConnection(const WlanInterface& wlan_interface,
                                               WlanConnection& connection) = 0;
  // The channel number the interface is on.
  virtual std::uint32_t QueryChannel(const WlanInterface& wlan_interface,
                                     std::uint32_t& channel) = 0;
  // The access points of the connection's network the interface knows of.
  virtual std::uint32_t ListNetworkBss(const WlanInterface& wlan_interface,
                                       const WlanConnection& connection,
                                       std::vector<WlanBss>& access_points) = 0;
};

}  // namespace quorvane
