#pragma once

#include <optional>
#include <string>

namespace quorvane {

// The wireless link in use when a sample was taken, as far as the system tells it.
struct LinkContext {
  // kUnavailableLocation: refused for want of location permission;
  // kUnavailableAccessDenied: refused for any other reason, an administrator's
  // access lists say.
  enum class Status { kNone, kKnown, kUnavailableLocation, kUnavailableAccessDenied };
  Status status = Status::kNone;  // kNone: not associated / nothing known
  std::string ssid;       // raw bytes as the system gives them (may be empty, may be non-UTF-8)
  std::string bssid;      // "aa:bb:cc:dd:ee:ff", lower case; "" when unknown
  int frequency_mhz = 0;  // 0 when unknown
  int channel = 0;        // 0 when unknown; derived from the frequency when that is known
  std::optional<int> signal_dbm;
  std::optional<double> bitrate_mbps;  // transmit bitrate
};

}  // namespace quorvane
