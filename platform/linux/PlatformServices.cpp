#include "platform/PlatformServices.h"

#include "platform/linux/Nl80211SignalSource.h"
#include "platform/linux/ProcessToolRunner.h"
#include "platform/linux/RouteConnectivity.h"
#include "platform/linux/SystemClock.h"

namespace quorvane {

PlatformServices CreatePlatformServices() {
  PlatformServices services;
  services.clock = std::make_unique<SystemClock>();
  services.tool_runner = std::make_unique<ProcessToolRunner>();
  services.signal_source = std::make_unique<Nl80211SignalSource>();
  services.connectivity = std::make_unique<RouteConnectivity>();
  return services;
}

}  // namespace quorvane
