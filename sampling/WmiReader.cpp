#include "sampling/WmiReader.h"

#include <algorithm>
#include <optional>

#include "platform/AppError.h"

namespace quorvane {
namespace {

struct ConnectedSignal {
  std::optional<std::int32_t> dbm;  // none when the service cannot tell
  bool access_denied = false;
};

// The strength of the first connected interface. An interface that is connected
// yet reports 0 dBm has no reading to give, rather than no connection.
ConnectedSignal ReadConnectedSignal(WlanApi& wlan) {
  std::vector<WlanInterface> interfaces;
  if (const auto error = wlan.EnumInterfaces(interfaces))
    return {std::nullopt, error == WlanApi::kAccessDenied};
  const auto connected = std::find_if(interfaces.begin(), interfaces.end(),
                                      [](const WlanInterface& item) { return item.connected; });
  if (connected == interfaces.end()) return {};
  std::int32_t dbm = 0;
  if (const auto error = wlan.QueryRssi(*connected, dbm))
    return {std::nullopt, error == WlanApi::kAccessDenied};
  if (dbm == 0) return {};
  return {dbm};
}

}  // namespace

std::string LevelFromStrength(std::int32_t dbm) {
  if (dbm == 0) return std::string(kNoConnectionLevel);
  if (dbm > -57) return "5";
  if (dbm > -68) return "4";
  if (dbm > -72) return "3";
  if (dbm > -80) return "2";
  if (dbm > -90) return "1";
  return "0";
}

WmiReader::WmiReader(SignalStrengthSource& source, const Connectivity& connectivity, WlanApi* wlan)
    : source_(source), connectivity_(connectivity), wlan_(wlan) {}

SignalReading WmiReader::Read(const std::string& computer) {
  std::unique_ptr<StrengthInstances> instances;
  try {
    if (!service_ready_) {
      source_.Bind(computer);
      service_ready_ = true;
    }
    instances = source_.Query();
  } catch (const AppError&) {
    // The instrumentation itself unavailable (its service stopped, the namespace
    // refused): no adapter to ask, as when it finds none. A broken connection is
    // made again by the next reading.
    Release();
    return ReadConnectedInterface();
  }
  std::optional<std::string> level;
  while (true) {
    bool has_next = false;
    try {
      has_next = instances->MoveNext();
    } catch (const AppError&) {
      // An enumeration that fails before any adapter was read means "no adapter
      // to ask"; a failure after that is a real fault.
      if (level) throw;
      return ReadConnectedInterface();
    }
    if (!has_next) break;
    level = LevelFromStrength(instances->CurrentStrength());
  }
  // A source that stopped answering counts as one without adapters.
  if (level && !instances->TimedOut()) return {*level};
  return ReadConnectedInterface();
}

void WmiReader::Release() {
  if (service_ready_) source_.Unbind();
  service_ready_ = false;
}

SignalReading WmiReader::ReadConnectedInterface() {
  ConnectedSignal connected;
  if (wlan_) connected = ReadConnectedSignal(*wlan_);
  if (connected.dbm) return {LevelFromStrength(*connected.dbm)};
  return {connectivity_.IsInternetConnected() ? "5" : "0", connected.access_denied};
}

}  // namespace quorvane
