#pragma once

#include <cstdint>
#include <string>

#include "platform/Connectivity.h"
#include "platform/SignalStrengthSource.h"

namespace quorvane {

// A received signal strength in dBm as a level "0" to "5"; exactly 0 dBm means no
// signal at all: "0 (no connection)".
std::string LevelFromStrength(std::int32_t dbm);

// Method #2: the signal level of the system's wireless adapters. The source is
// bound once for the run (a failed bind is tried again by the next reading); the
// query runs anew each time and the last adapter decides.
class WmiReader {
 public:
  WmiReader(SignalStrengthSource& source, const Connectivity& connectivity);

  // "5" or "0" by the connectivity test when no adapter answers; otherwise the
  // level of the last adapter. Throws AppError when the source cannot be bound or
  // queried, or an adapter's strength cannot be read.
  std::string GetSignalByWmi(const std::string& computer);

 private:
  SignalStrengthSource& source_;
  const Connectivity& connectivity_;
  bool service_ready_ = false;
};

}  // namespace quorvane
