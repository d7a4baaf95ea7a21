#include "journal/LinkChanges.h"

#include "model/RadioBand.h"
#include "model/SsidText.h"

namespace quorvane::journal {
namespace {

std::string ChannelText(int channel) { return std::to_string(channel); }

}  // namespace

std::string_view LinkChangeKindText(LinkChangeKind kind) {
  switch (kind) {
    case LinkChangeKind::kRoam:
      return "roam";
    case LinkChangeKind::kNetwork:
      return "network";
    case LinkChangeKind::kBand:
      return "band";
    case LinkChangeKind::kChannel:
      return "channel";
  }
  return "";
}

bool IsKnownLink(bool connected, const LinkContext& link) {
  return connected && link.status == LinkContext::Status::kKnown && !link.ssid.empty() &&
         !link.bssid.empty();
}

std::optional<LinkChange> LinkChangeFinder::Add(std::int64_t utc, std::int32_t offset,
                                                bool connected, const LinkContext& link) {
  if (!IsKnownLink(connected, link)) return std::nullopt;
  const std::string_view band = BandOf(link.frequency_mhz);
  std::optional<LinkChange> change;
  auto changed = [&](LinkChangeKind kind, std::string from, std::string to) {
    change = LinkChange{utc, offset, kind, std::move(from), std::move(to)};
  };
  if (!any_) {
    // The first link known: nothing to compare with.
  } else if (link.ssid != ssid_) {
    changed(LinkChangeKind::kNetwork, SsidText(ssid_), SsidText(link.ssid));
  } else if (link.bssid != bssid_) {
    changed(LinkChangeKind::kRoam, bssid_, link.bssid);
  } else if (!band.empty() && !band_.empty() && band != band_) {
    changed(LinkChangeKind::kBand, std::string(band_), std::string(band));
  } else if (link.channel != 0 && channel_ != 0 && link.channel != channel_) {
    changed(LinkChangeKind::kChannel, ChannelText(channel_), ChannelText(link.channel));
  }
  // Nearly every sample repeats the last link: nothing is copied then. Another
  // access point's band and channel are its own, even where unknown.
  const bool new_access_point = !any_ || link.bssid != bssid_ || link.ssid != ssid_;
  if (new_access_point) {
    ssid_ = link.ssid;
    bssid_ = link.bssid;
  }
  if (new_access_point || !band.empty()) band_ = band;
  if (new_access_point || link.channel != 0) channel_ = link.channel;
  any_ = true;
  return change;
}

}  // namespace quorvane::journal
