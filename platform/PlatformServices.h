#pragma once

#include <filesystem>
#include <memory>

#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/LinkContext.h"
#include "platform/NetworkProbe.h"
#include "platform/SettingsStore.h"
#include "platform/SignalStrengthSource.h"
#include "platform/StartupEntry.h"
#include "platform/ToolRunner.h"
#include "platform/WlanApi.h"

namespace quorvane {

// The real operating-system services, one set for the whole run.
struct PlatformServices {
  std::unique_ptr<Clock> clock;
  // The date and time forms as the history log holds them, for reading it back,
  // where they differ from `clock`'s (another code page); none where they do not.
  std::unique_ptr<Clock> log_text_clock;
  std::unique_ptr<ToolRunner> tool_runner;
  std::unique_ptr<SignalStrengthSource> signal_source;
  std::unique_ptr<Connectivity> connectivity;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<StartupEntry> startup_entry;
  std::unique_ptr<WlanApi> wlan;                   // none where the signal source already reads dBm
  std::unique_ptr<LinkContextSource> link_source;  // none where the system tells nothing
  // None where the system's probes are not built yet. Shared with the rounds'
  // threads, which may outlive the window by a moment.
  std::shared_ptr<NetworkProbe> network_probe;
};

// `program` is the running program's own file, for the start-at-login entry.
PlatformServices CreatePlatformServices(const std::filesystem::path& program);

}  // namespace quorvane
