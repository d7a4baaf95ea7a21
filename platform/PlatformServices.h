#pragma once

#include <memory>

#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/SignalStrengthSource.h"
#include "platform/ToolRunner.h"

namespace quorvane {

// The real operating-system services, one set for the whole run.
struct PlatformServices {
  std::unique_ptr<Clock> clock;
  std::unique_ptr<ToolRunner> tool_runner;
  std::unique_ptr<SignalStrengthSource> signal_source;
  std::unique_ptr<Connectivity> connectivity;
};

PlatformServices CreatePlatformServices();

}  // namespace quorvane
