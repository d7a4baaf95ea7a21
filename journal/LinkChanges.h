#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/LinkContext.h"

namespace quorvane::journal {

// What changed in the wireless link from one sample to a later one.
enum class LinkChangeKind { kRoam, kNetwork, kBand, kChannel };
inline constexpr int kLinkChangeKinds = 4;

// "roam", "network", "band", "channel".
std::string_view LinkChangeKindText(LinkChangeKind kind);

struct LinkChange {
  std::int64_t utc = 0;     // of the first sample with the new link
  std::int32_t offset = 0;  // the local offset from UTC there, seconds
  LinkChangeKind kind = LinkChangeKind::kRoam;
  // As the journal writes them: BSSIDs for a roam, SSIDs (SsidText) for a network,
  // "2.4", "5" or "6" for a band, channel numbers for a channel.
  std::string from;
  std::string to;
};

// Whether a sample tells which access point it was connected to: connected, and
// both the SSID and the BSSID known.
bool IsKnownLink(bool connected, const LinkContext& link);

// Finds the link's changes sample by sample, in time order, comparing each known
// link with the last known one. A sample that tells nothing (no connection, an
// unknown access point, the context refused) makes no change by itself, so a
// disconnection followed by a connection to another access point of the same
// network is a roam, and to the same one no change at all. One change per sample:
// a change of network before a roam, a roam before a change of band, a change of
// band before one of channel; band and channel count only under the same BSSID
// and only where both samples know them.
class LinkChangeFinder {
 public:
  std::optional<LinkChange> Add(std::int64_t utc, std::int32_t offset, bool connected,
                                const LinkContext& link);

 private:
  bool any_ = false;
  std::string ssid_;
  std::string bssid_;
  std::string_view band_;  // a static text
  int channel_ = 0;
};

}  // namespace quorvane::journal
