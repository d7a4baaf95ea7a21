#include "platform/PlatformServices.h"

#include "platform/ProcessToolRunner.h"
#include "platform/SystemClock.h"
#include "platform/portable/WlanLinkContext.h"
#include "platform/windows/AnsiFormClock.h"
#include "platform/windows/IcmpNetworkProbe.h"
#include "platform/windows/InternetConnectivity.h"
#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/RunKeyStartupEntry.h"
#include "platform/windows/SystemWlanApi.h"
#include "platform/windows/WmiSignalSource.h"

namespace quorvane {

PlatformServices CreatePlatformServices(const std::filesystem::path& program) {
  PlatformServices services;
  services.clock = std::make_unique<SystemClock>();
  // The log is written in the ANSI code page; the report reads its dates back so.
  services.log_text_clock = std::make_unique<AnsiFormClock>(*services.clock);
  services.tool_runner = std::make_unique<ProcessToolRunner>();
  services.signal_source = std::make_unique<WmiSignalSource>();
  services.connectivity = std::make_unique<InternetConnectivity>();
  services.settings = std::make_unique<RegistrySettingsStore>();
  services.startup_entry = std::make_unique<RunKeyStartupEntry>(program);
  services.wlan = std::make_unique<SystemWlanApi>();
  // Read whichever method is selected, through the same service: both calls come
  // from the reading's thread, one after the other.
  services.link_source = std::make_unique<WlanLinkContextSource>(*services.wlan);
  services.network_probe = std::make_shared<IcmpNetworkProbe>();
  return services;
}

}  // namespace quorvane
