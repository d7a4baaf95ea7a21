#pragma once

#include <memory>

#include "platform/WlanApi.h"

namespace quorvane {

// The WLAN service through wlanapi.dll, loaded at the first call from the system
// folder only; a Windows without it (Server without the wireless feature) answers
// every call with the loader's error. One client handle is kept for the run and
// opened again after a call fails. Calls must come from one thread at a time.
class SystemWlanApi : public WlanApi {
 public:
  SystemWlanApi();
  ~SystemWlanApi() override;
  SystemWlanApi(const SystemWlanApi&) = delete;
  SystemWlanApi& operator=(const SystemWlanApi&) = delete;

  std::uint32_t EnumInterfaces(std::vector<WlanInterface>& interfaces) override;
  std::uint32_t QueryRssi(const WlanInterface& wlan_interface, std::int32_t& dbm) override;

 private:
  struct Library;
  std::uint32_t Open();
  void Close();

  std::unique_ptr<Library> library_;
  std::uint32_t load_error_ = 0;
  void* handle_ = nullptr;
};

}  // namespace quorvane
