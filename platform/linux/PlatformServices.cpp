#include "platform/PlatformServices.h"

#include "platform/ProcessToolRunner.h"
#include "platform/SystemClock.h"
#include "platform/linux/IniSettingsStore.h"
#include "platform/linux/Nl80211LinkSource.h"
#include "platform/linux/Nl80211SignalSource.h"
#include "platform/linux/RouteConnectivity.h"
#include "platform/linux/SocketNetworkProbe.h"
#include "platform/linux/XdgAutostartEntry.h"

namespace quorvane {

PlatformServices CreatePlatformServices(const std::filesystem::path& program) {
  PlatformServices services;
  services.clock = std::make_unique<SystemClock>();
  services.tool_runner = std::make_unique<ProcessToolRunner>();
  services.signal_source = std::make_unique<Nl80211SignalSource>();
  services.link_source = std::make_unique<Nl80211LinkSource>();
  services.connectivity = std::make_unique<RouteConnectivity>();
  services.network_probe = std::make_shared<SocketNetworkProbe>();
  services.settings = std::make_unique<IniSettingsStore>();
  services.startup_entry = std::make_unique<XdgAutostartEntry>(program, UserAutostartFolder());
  return services;
}

}  // namespace quorvane
