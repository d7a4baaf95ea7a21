#pragma once

#include <memory>

#include "platform/WlanApi.h"

namespace quorvane {

// The WLAN service through wlanapi.dll, loaded at the first call from the system
// folder only; a Windows without it (Server without the wireless feature) answers
// every call with the loader's error, and one without WlanGetNetworkBssList
// answers that call alone with ERROR_PROC_NOT_FOUND. One client handle is kept for the run and
// opened again after a call fails. Calls must come from one thread at a time.
class SystemWlanApi : public WlanApi {
 public:
  SystemWlanApi();
  ~SystemWlanApi() override;
  SystemWlanApi(const SystemWlanApi&) = delete;
  SystemWlanApi& operator=(const SystemWlanApi&) = delete;

  std::uint32_t EnumInterfaces(std::vector<WlanInterface>& interfaces) override;
  std::uint32_t QueryRssi(const WlanInterface& wlan_interface, std::int32_t& dbm) override;
  std::uint32_t QueryCurrentConnection(const WlanInterface& wlan_interface,
                                       WlanConnection& connection) override;
  std::uint32_t QueryChannel(const WlanInterface& wlan_interface, std::uint32_t& channel) override;
  std::uint32_t ListNetworkBss(const WlanInterface& wlan_interface,
                               const WlanConnection& connection,
                               std::vector<WlanBss>& access_points) override;

 private:
  struct Library;
  std::uint32_t Open();
  void Close();
  // Asks WlanQueryInterface for one value of at least `minimum_size` bytes and
  // hands it to `read` before the service's buffer is freed.
  template <typename Read>
  std::uint32_t QueryValue(const WlanInterface& wlan_interface, int opcode,
                           unsigned long minimum_size, Read read);

  std::unique_ptr<Library> library_;
  std::uint32_t load_error_ = 0;
  void* handle_ = nullptr;
};

}  // namespace quorvane
