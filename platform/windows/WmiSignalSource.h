#pragma once

#include <memory>

#include "platform/SignalStrengthSource.h"

struct IWbemServices;

namespace quorvane {

// Signal strengths from WMI: every instance of MSNdis_80211_ReceivedSignalStrength
// in root\wmi, its NDIS80211ReceivedSignalStrength in dBm. The service binding is
// kept for the run. Calls must come from one thread, the one that bound it.
class WmiSignalSource : public SignalStrengthSource {
 public:
  WmiSignalSource();
  ~WmiSignalSource() override;

  void Bind(const std::string& computer) override;
  std::unique_ptr<StrengthInstances> Query() override;

 private:
  IWbemServices* service_ = nullptr;
};

}  // namespace quorvane
