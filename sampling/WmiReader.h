#pragma once

#include <cstdint>
#include <string>

#include "platform/Connectivity.h"
#include "platform/SignalStrengthSource.h"
#include "platform/WlanApi.h"
#include "sampling/SignalValues.h"

namespace quorvane {

// A received signal strength in dBm as a level "0" to "5"; exactly 0 dBm means no
// signal at all: "0 (no connection)".
std::string LevelFromStrength(std::int32_t dbm);

// Method #2: the signal level of the system's wireless adapters. The source is
// bound once for the run (a failed bind is tried again by the next reading); the
// query runs anew each time and the last adapter decides. When the query finds no
// adapter, stops answering in time, or fails before an adapter was read (the
// source cannot be bound or queried), the connected interface of the WLAN service
// (when there is one) decides, and failing that the connection test.
class WmiReader {
 public:
  // `wlan` may be null: a system without a WLAN service.
  WmiReader(SignalStrengthSource& source, const Connectivity& connectivity,
            WlanApi* wlan = nullptr);

  // The level. "5" or "0" by the connectivity test when nothing can tell the
  // signal; then the reading also says whether the WLAN service refused for want
  // of location permission. Throws AppError when the enumeration fails after an
  // adapter was read, or an adapter's strength cannot be read.
  SignalReading Read(const std::string& computer);
  std::string GetSignalByWmi(const std::string& computer) { return Read(computer).value_text; }

  // Lets go of the source; called on the thread that read, when it ends.
  void Release();

 private:
  SignalReading ReadConnectedInterface();

  SignalStrengthSource& source_;
  const Connectivity& connectivity_;
  WlanApi* wlan_;
  bool service_ready_ = false;
};

}  // namespace quorvane
