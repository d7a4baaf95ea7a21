#include "report/LinkColumns.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "journal/CsvFields.h"
#include "journal/JournalRecord.h"
#include "model/RadioBand.h"
#include "model/SsidText.h"

namespace quorvane::report {
namespace {

constexpr std::string_view kHeaderFields =
    ",ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps,link";
constexpr std::string_view kEmptyFields = ",,,,,,,,";

char* WriteText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

void AppendNumber(std::string& fields, int number) {
  fields += ',';
  if (number != 0) fields += std::to_string(number);
}

// A spreadsheet takes a cell that begins with one of these for a formula, and a
// network's name is chosen by whoever set the network up: such a name goes out
// after an apostrophe, which spreadsheets read as "text follows".
void AppendTextField(std::string& fields, std::string_view text) {
  fields += ',';
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) {
    std::string as_text(1, '\'');
    as_text += text;
    journal::AppendField(fields, as_text);
    return;
  }
  journal::AppendField(fields, text);
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
  AppendTextField(place.fields, SsidText(link.ssid));
  AppendTextField(place.fields, link.bssid);
  AppendNumber(place.fields, link.frequency_mhz);
  place.fields += ',';
  place.fields += BandOf(link.frequency_mhz);
  AppendNumber(place.fields, link.channel);
  longest_place_ = std::max(longest_place_, place.fields.size());
  places_.push_back(std::move(place));
  return last_place_ = static_cast<std::uint32_t>(places_.size() - 1);
}

static_assert(journal::kLinkUnavailableAccessDenied.size() <= 27 &&
              journal::kLinkUnavailableLocation.size() <= 27);

void LinkColumns::Add(std::size_t index, const LinkContext& link) {
  const bool unavailable = link.status == LinkContext::Status::kUnavailableLocation;
  const bool denied = link.status == LinkContext::Status::kUnavailableAccessDenied;
  const bool any = !link.ssid.empty() || !link.bssid.empty() || link.frequency_mhz != 0 ||
                   link.channel != 0 || link.signal_dbm || link.bitrate_mbps || unavailable ||
                   denied;
  if (!any && entries_.empty()) return;
  // The records before the first context had none.
  if (entries_.size() < index) entries_.resize(index);
  Entry entry;
  entry.place =
      PlaceOf(link) | (unavailable ? kUnavailableBit : 0) | (denied ? kAccessDeniedBit : 0);
  if (link.signal_dbm) entry.signal_dbm = std::max(*link.signal_dbm, kNoSignal + 1);
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
  const std::uint32_t place = entry.place & ~kRefusedBits;
  out = WriteText(out,
                  place == 0 ? std::string_view(",,,,,") : std::string_view(places_[place].fields));
  *out++ = ',';
  if (entry.signal_dbm != kNoSignal) out = std::to_chars(out, out + 11, entry.signal_dbm).ptr;
  *out++ = ',';
  if (entry.bitrate_mbps >= 0) out = std::to_chars(out, out + 16, entry.bitrate_mbps).ptr;
  *out++ = ',';
  if (entry.place & kUnavailableBit) out = WriteText(out, journal::kLinkUnavailableLocation);
  if (entry.place & kAccessDeniedBit) out = WriteText(out, journal::kLinkUnavailableAccessDenied);
  return out;
}

}  // namespace quorvane::report
