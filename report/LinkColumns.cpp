#include "report/LinkColumns.h"

#include <charconv>
#include <cstring>

#include "journal/CsvFields.h"
#include "sampling/RadioBand.h"

namespace quorvane::report {
namespace {

constexpr std::string_view kHeaderFields =
    ",ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps";
constexpr std::string_view kEmptyFields = ",,,,,,,";

char* WriteText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

void AppendNumber(std::string& fields, int number) {
  fields += ',';
  if (number != 0) fields += std::to_string(number);
}

bool SamePlace(const LinkContext& link, const std::string& ssid, const std::string& bssid,
               int frequency_mhz, int channel) {
  return link.frequency_mhz == frequency_mhz && link.channel == channel && link.bssid == bssid &&
         link.ssid == ssid;
}

}  // namespace

std::string_view LinkColumns::HeaderFields() { return kHeaderFields; }

std::uint32_t LinkColumns::PlaceOf(const LinkContext& link) {
  if (places_.empty()) places_.push_back({});  // 0: no place
  auto same = [&](const Place& place) {
    return SamePlace(link, place.ssid, place.bssid, place.frequency_mhz, place.channel);
  };
  if (same(places_[last_place_])) return last_place_;
  for (std::uint32_t i = 0; i < places_.size(); ++i)
    if (same(places_[i])) return last_place_ = i;
  Place place{link.ssid, link.bssid, link.frequency_mhz, link.channel, {}};
  place.fields += ',';
  journal::AppendField(place.fields, SsidText(link.ssid));
  place.fields += ',';
  journal::AppendField(place.fields, link.bssid);
  AppendNumber(place.fields, link.frequency_mhz);
  place.fields += ',';
  place.fields += BandOf(link.frequency_mhz);
  AppendNumber(place.fields, link.channel);
  places_.push_back(std::move(place));
  return last_place_ = static_cast<std::uint32_t>(places_.size() - 1);
}

void LinkColumns::Add(std::size_t index, const LinkContext& link) {
  const bool any = !link.ssid.empty() || !link.bssid.empty() || link.frequency_mhz != 0 ||
                   link.channel != 0 || link.signal_dbm || link.bitrate_mbps;
  if (!any && entries_.empty()) return;
  // The records before the first context had none.
  if (entries_.size() < index) entries_.resize(index);
  Entry entry;
  entry.place = PlaceOf(link);
  if (link.signal_dbm) entry.signal_dbm = static_cast<std::int16_t>(*link.signal_dbm);
  if (link.bitrate_mbps && *link.bitrate_mbps >= 0)
    entry.bitrate_mbps = static_cast<float>(*link.bitrate_mbps);
  entries_.push_back(entry);
}

void LinkColumns::Reorder(const std::vector<std::uint32_t>& order) {
  if (entries_.empty()) return;
  entries_.resize(order.size());
  std::vector<Entry> sorted;
  sorted.reserve(order.size());
  for (const std::uint32_t from : order) sorted.push_back(entries_[from]);
  entries_ = std::move(sorted);
}

char* LinkColumns::WriteEmptyFields(char* out) { return WriteText(out, kEmptyFields); }

char* LinkColumns::WriteFields(char* out, std::size_t index) const {
  if (index >= entries_.size()) return WriteEmptyFields(out);
  const Entry& entry = entries_[index];
  out = WriteText(out, entry.place == 0 ? std::string_view(",,,,,")
                                        : std::string_view(places_[entry.place].fields));
  *out++ = ',';
  if (entry.signal_dbm != kNoSignal) out = std::to_chars(out, out + 8, entry.signal_dbm).ptr;
  *out++ = ',';
  if (entry.bitrate_mbps >= 0) out = std::to_chars(out, out + 16, entry.bitrate_mbps).ptr;
  return out;
}

}  // namespace quorvane::report
