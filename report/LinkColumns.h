#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LinkContext.h"

namespace quorvane::report {

// The journal's link context for the CSV export, one small entry per record: the
// fields that stay while the computer keeps to one access point (SSID, BSSID,
// frequency, band, channel) written once per access point, the signal and the
// bitrate kept per record. Nothing is kept for a journal that holds no context.
class LinkColumns {
 public:
  // ",ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps,link".
  static std::string_view HeaderFields();
  // The most one record's fields take: a journal changed by hand may hold fields
  // longer than any the system gives.
  std::size_t FieldsRoom() const { return longest_place_ + kNumbersRoom; }

  // The context of record `index`; records come in the order they are numbered.
  void Add(std::size_t index, const LinkContext& link);
  // After the records were sorted: record i is the one that was `order[i]`.
  void Reorder(const std::vector<std::uint32_t>& order);
  // The eight fields of record `index`, each after a comma.
  char* WriteFields(char* out, std::size_t index) const;
  static char* WriteEmptyFields(char* out);

 private:
  struct Entry {
    std::uint32_t place = 0;  // into places_; 0: none of those fields; kRefusedBits
    float bitrate_mbps = -1;  // below 0: unknown
    std::int32_t signal_dbm = kNoSignal;
  };
  static constexpr std::int32_t kNoSignal = INT32_MIN;
  // In an entry's place: the system refused the context, for want of location
  // permission or otherwise.
  static constexpr std::uint32_t kUnavailableBit = 1u << 31;
  static constexpr std::uint32_t kAccessDeniedBit = 1u << 30;
  static constexpr std::uint32_t kRefusedBits = kUnavailableBit | kAccessDeniedBit;
  // An access point on a frequency and channel, and its fields as they are written.
  struct Place {
    std::string ssid;
    std::string bssid;
    int frequency_mhz = 0;
    int channel = 0;
    std::string fields;
  };

  std::uint32_t PlaceOf(const LinkContext& link);

  std::vector<Entry> entries_;  // empty until a record has a context
  std::vector<Place> places_;
  std::uint32_t last_place_ = 0;
  std::size_t longest_place_ = 5;  // ",,,,," of no place
  // The signal, the bitrate and the link's state, the longest of which is
  // "unavailable (access denied)".
  static constexpr std::size_t kNumbersRoom = 2 + 11 + 16 + 1 + 27;
};

}  // namespace quorvane::report
