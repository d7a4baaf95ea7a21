#pragma once

#include <chrono>
#include <memory>

#include "platform/SignalStrengthSource.h"

struct IEnumWbemClassObject;
struct IWbemServices;

namespace quorvane {

// How long one step of the query's enumeration may wait for the provider. A
// provider that has not answered by then counts as one without instances.
inline constexpr std::chrono::milliseconds kWmiStepTimeLimit{5000};

// The instances of a semi-synchronous query, each step waiting at most
// `step_limit`. Takes over the enumerator's reference.
std::unique_ptr<StrengthInstances> WmiStrengthInstances(
    IEnumWbemClassObject* enumerator, std::chrono::milliseconds step_limit = kWmiStepTimeLimit);

// Signal strengths from WMI: every instance of MSNdis_80211_ReceivedSignalStrength
// in root\wmi, its NDIS80211ReceivedSignalStrength in dBm. The service binding is
// kept until unbound. Neither connecting nor reading waits without end. Calls must come from one
// thread, the one that bound it; the process's COM security must allow impersonation
// (set at start) or the proxies' own settings are relied on.
class WmiSignalSource : public SignalStrengthSource {
 public:
  WmiSignalSource();
  ~WmiSignalSource() override;

  void Bind(const std::string& computer) override;
  std::unique_ptr<StrengthInstances> Query() override;
  void Unbind() override;

 private:
  IWbemServices* service_ = nullptr;
  bool com_started_ = false;  // this thread's COM was started by Bind
};

}  // namespace quorvane
