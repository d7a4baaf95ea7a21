#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quorvane {

// The instances a strength query delivers, one per wireless adapter, in the order
// the system gives them.
class StrengthInstances {
 public:
  virtual ~StrengthInstances() = default;
  // Moves to the next instance; false when there is none. Throws AppError when the
  // enumeration itself fails.
  virtual bool MoveNext() = 0;
  // Received signal strength of the current instance in dBm; 0 means no signal
  // (not associated). Throws AppError when it cannot be read.
  virtual std::int32_t CurrentStrength() = 0;
  // True when the enumeration ended because the source stopped answering in time,
  // not because it had delivered every instance.
  virtual bool TimedOut() const { return false; }
};

// The operating system's source of adapter signal strengths.
class SignalStrengthSource {
 public:
  virtual ~SignalStrengthSource() = default;
  // Connects to the source on the named computer ("." is this one). Throws AppError.
  virtual void Bind(const std::string& computer) = 0;
  // Runs a fresh query on the bound source. Throws AppError.
  virtual std::unique_ptr<StrengthInstances> Query() = 0;
  // Lets go of the connection, on the thread that bound it; the next query binds
  // again. Never throws.
  virtual void Unbind() {}
};

}  // namespace quorvane
