#include "journal/AccessPoints.h"

#include <algorithm>

#include "model/RadioBand.h"

namespace quorvane::journal {

std::size_t AccessPointTable::Add(const LinkContext& link) {
  const std::string_view band = BandOf(link.frequency_mhz);
  auto same = [&](const AccessPoint& row) {
    return row.channel == link.channel && row.band == band && row.bssid == link.bssid &&
           row.ssid == link.ssid;
  };
  if (last_ >= rows_.size() || !same(rows_[last_])) {
    const auto found = std::find_if(rows_.begin(), rows_.end(), same);
    last_ = static_cast<std::size_t>(found - rows_.begin());
    if (found == rows_.end()) rows_.push_back({link.bssid, link.ssid, band, link.channel});
  }
  AccessPoint& row = rows_[last_];
  ++row.samples;
  if (link.signal_dbm) {
    ++row.dbm_samples;
    row.dbm_sum += *link.signal_dbm;
  }
  return last_;
}

std::vector<AccessPoint> AccessPointTable::ByTime() const {
  std::vector<AccessPoint> sorted = rows_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const AccessPoint& a, const AccessPoint& b) {
    return a.seconds != b.seconds ? a.seconds > b.seconds : a.samples > b.samples;
  });
  return sorted;
}

}  // namespace quorvane::journal
