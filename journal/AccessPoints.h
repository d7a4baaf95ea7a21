#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LinkContext.h"

namespace quorvane::journal {

// One access point on one channel, and how long the computer was connected to it.
struct AccessPoint {
  std::string bssid;
  std::string ssid;       // raw bytes, as the system gave them
  std::string_view band;  // "2.4", "5", "6" or "" (a static text)
  int channel = 0;        // 0 when unknown
  std::uint64_t samples = 0;
  std::int64_t seconds = 0;       // the time its samples stand for (LinkSummary)
  std::uint64_t dbm_samples = 0;  // of those, with the signal in dBm
  std::int64_t dbm_sum = 0;

  bool HasMeanDbm() const { return dbm_samples > 0; }
  double MeanDbm() const {
    return dbm_samples ? static_cast<double>(dbm_sum) / static_cast<double>(dbm_samples) : 0;
  }
};

// The access points of the samples that know theirs (IsKnownLink), one row per
// BSSID, SSID and channel in the order first seen: an access point that moved to
// another channel has a row for each. Nearly every sample is the access point of
// the one before, found without a search.
class AccessPointTable {
 public:
  // Returns the row the sample was counted in.
  std::size_t Add(const LinkContext& link);
  void AddSeconds(std::size_t row, std::int64_t seconds) { rows_[row].seconds += seconds; }
  const std::vector<AccessPoint>& rows() const { return rows_; }
  // The rows with the most time first, then those with the most samples.
  std::vector<AccessPoint> ByTime() const;

 private:
  std::vector<AccessPoint> rows_;
  std::size_t last_ = 0;
};

}  // namespace quorvane::journal
