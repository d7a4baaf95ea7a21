// The journal's wireless link in the report: the access points seen, and the
// roams and other changes of the link, counted and marked on the signal plots.
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "base/TimeText.h"
#include "model/SsidText.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

using journal::AccessPoint;
using journal::LinkChange;
using journal::LinkChangeKind;
using journal::LinkSummary;

constexpr LinkChangeKind kKinds[] = {LinkChangeKind::kRoam, LinkChangeKind::kNetwork,
                                     LinkChangeKind::kBand, LinkChangeKind::kChannel};

// How each kind of change is named and drawn: a shape of its own besides its colour,
// so the marks tell apart in grey too. Shapes are drawn around (0, 0), 12 wide.
struct KindLook {
  const char* one;
  const char* many;
  const char* heading;  // for a tooltip
  const char* shape;
};
constexpr KindLook kLooks[] = {
    {" roam", " roams", "Roam", "M-6 -5H6L0 6Z"},
    {" network change", " network changes", "Network change", "M0 -6L6 0L0 6L-6 0Z"},
    {" band change", " band changes", "Band change", "M-5 -5H5V5H-5Z"},
    {" channel change", " channel changes", "Channel change",
     "M-5.5 0A5.5 5.5 0 1 0 5.5 0A5.5 5.5 0 1 0 -5.5 0Z"},
};
const KindLook& LookOf(LinkChangeKind kind) { return kLooks[static_cast<std::size_t>(kind)]; }

const LinkSummary* LinksOf(const Figures& figures) {
  if (!figures.journal || figures.journal->links.known_records == 0) return nullptr;
  return &figures.journal->links;
}

// The share of the time an access point was in use, in percent with one decimal.
// Records that all stand for no time (a single one, or each after a gap with no
// spacing known) share by their count.
std::string TimeShareText(const AccessPoint& row, const LinkSummary& links, std::uint64_t records) {
  if (links.seconds <= 0) return ShareText(row.samples, records);
  return ShareText(static_cast<std::uint64_t>(row.seconds),
                   static_cast<std::uint64_t>(links.seconds));
}

std::string BandText(std::string_view band) {
  return band.empty() ? std::string() : std::string(band) + " GHz";
}

// "aa:… → bb:…", the values of a change as people read them.
std::string FromTo(const LinkChange& change) {
  if (change.kind == LinkChangeKind::kBand)
    return BandText(change.from) + " \u2192 " + BandText(change.to);
  return DirectionControlsShown(change.from) + " \u2192 " + DirectionControlsShown(change.to);
}

// The changes of one kind within [from, to), in the journal's order (a clock put
// back may have left it out of time order: no search relies on it).
template <typename Visit>
void ForEachChangeIn(const LinkSummary& links, std::int64_t from, std::int64_t to,
                     LinkChangeKind kind, Visit visit) {
  for (const LinkChange& change : links.changes)
    if (change.kind == kind && change.utc >= from && change.utc < to) visit(change);
}

// Changes of one kind close enough on the plot to share a mark.
struct MarkGroup {
  LinkChangeKind kind;
  double x;
  std::vector<const LinkChange*> changes;
};

void WriteMark(const MarkGroup& group, double top, double bottom, bool line, std::ostream& out) {
  constexpr std::size_t kNamed = 5;  // changes a tooltip names; the rest are counted
  const KindLook& look = LookOf(group.kind);
  const std::string x = OneDecimal(group.x);
  out << "<g class=\"mark " << journal::LinkChangeKindText(group.kind) << "\"><title>";
  for (std::size_t i = 0; i < group.changes.size() && i < kNamed; ++i)
    out << (i ? "&#10;" : "") << look.heading << ' '
        << ReadableTime(group.changes[i]->utc, group.changes[i]->offset) << ": "
        << Escaped(FromTo(*group.changes[i]));
  if (group.changes.size() > kNamed)
    out << "&#10;and " << group.changes.size() - kNamed << " more close by";
  out << "</title>";
  if (line)
    out << "<line x1=\"" << x << "\" x2=\"" << x << "\" y1=\"" << OneDecimal(top + 6) << "\" y2=\""
        << OneDecimal(bottom) << "\"/>";
  out << "<path transform=\"translate(" << x << ' ' << OneDecimal(top) << ")\" d=\"" << look.shape
      << "\"/></g>";
}

void WriteCount(std::ostream& out, LinkChangeKind kind, std::uint64_t count) {
  const KindLook& look = LookOf(kind);
  out << "<span data-figure=\"summary.link_changes." << journal::LinkChangeKindText(kind) << "\">"
      << count << "</span>" << (count == 1 ? look.one : look.many);
}

}  // namespace

void WriteLinkCountsHtml(const Figures& figures, std::ostream& out) {
  const LinkSummary* links = LinksOf(figures);
  if (!links) return;
  out << "<tr><td>Link changes</td><td>";
  for (const LinkChangeKind kind : kKinds) {
    if (kind != kKinds[0]) out << ", ";
    WriteCount(out, kind, links->Count(kind));
  }
  out << "</td></tr>\n";
}

void WriteLinkMarksKey(const Figures& figures, std::int64_t from, std::int64_t to,
                       std::ostream& out) {
  const LinkSummary* links = LinksOf(figures);
  if (!links) return;
  bool any = false;
  for (const LinkChangeKind kind : kKinds) {
    bool seen = false;
    ForEachChangeIn(*links, from, to, kind, [&](const LinkChange&) { seen = true; });
    if (!seen) continue;
    if (!any) out << "<p class=\"key\">";
    out << (any ? " " : "") << "<span><svg class=\"mark " << journal::LinkChangeKindText(kind)
        << "\" viewBox=\"-7 -7 14 14\" aria-hidden=\"true\"><path d=\"" << LookOf(kind).shape
        << "\"/></svg>" << LookOf(kind).heading << "</span>";
    any = true;
  }
  if (any) out << " <span>(point at a mark for the access points or channels)</span></p>\n";
}

void WriteLinkMarks(const Figures& figures, std::int64_t from, std::int64_t to, double left,
                    double top, double width, double height, std::ostream& out) {
  const LinkSummary* links = LinksOf(figures);
  if (!links || to <= from) return;
  // A mark is as wide as its shape: the changes of a kind within that of the first
  // share it, so a busy week of roams stays a row of marks, each naming its own.
  constexpr double kMarkWidth = 12;
  // Beyond so many marks their lines would hide the signal: the marks alone then.
  constexpr std::size_t kMostLines = 40;
  const double seconds = static_cast<double>(to - from);
  std::vector<MarkGroup> groups;
  for (const LinkChangeKind kind : kKinds) {
    ForEachChangeIn(*links, from, to, kind, [&](const LinkChange& change) {
      const double x = left + width * static_cast<double>(change.utc - from) / seconds;
      if (groups.empty() || groups.back().kind != kind || x >= groups.back().x + kMarkWidth)
        groups.push_back({kind, x, {}});
      groups.back().changes.push_back(&change);
    });
  }
  for (const MarkGroup& group : groups)
    WriteMark(group, top, top + height, groups.size() <= kMostLines, out);
  out << "\n";
}

void WriteLinksHtml(const Figures& figures, std::ostream& out) {
  const LinkSummary* links = LinksOf(figures);
  if (!links) return;
  const std::vector<AccessPoint> rows = links->access_points.ByTime();
  const std::size_t shown = std::min(rows.size(), Figures::kLongestShown);
  const std::uint64_t records = figures.journal->records;
  out << "<section><h2>Access points</h2>\n<p>";
  for (const LinkChangeKind kind : kKinds) {
    out << (kind == kKinds[0] ? "" : kind == kKinds[3] ? " and " : ", ");
    WriteCount(out, kind, links->Count(kind));
  }
  out << ", marked on the signal plots. A roam is a move to another access point of the same "
         "network; a band or channel change is one of the same access point.</p>\n"
         "<table class=\"access-points\">\n<tr><th>BSSID</th><th>SSID</th><th>Band</th>"
         "<th>Channel</th><th>Samples</th><th>Mean signal (dBm)</th><th>Share of the time</th>"
         "</tr>\n";
  for (std::size_t i = 0; i < shown; ++i) {
    const AccessPoint& row = rows[i];
    out << "<tr><td>" << Escaped(row.bssid) << "</td><td>"
        << Escaped(DirectionControlsShown(SsidText(row.ssid))) << "</td><td>" << BandText(row.band)
        << "</td><td>";
    if (row.channel != 0) out << row.channel;
    out << "</td><td>" << row.samples << "</td><td>";
    if (row.HasMeanDbm()) out << MeanText(row.MeanDbm());
    out << "</td><td>" << TimeShareText(row, *links, records) << " %</td></tr>\n";
  }
  out << "</table>\n<p class=\"note\">One row per access point and channel, most used first. "
         "Mean signal: of the samples for which the system gave the signal in dBm. Share of the "
         "time: of the time the journal's samples stand for within the report's time, each until "
         "the next sample (before a gap, the usual spacing of the samples); the rest without a "
         "known access point.";
  if (rows.size() > shown)
    out << " The " << shown << " most used are listed; " << rows.size() - shown
        << " more are in the JSON report.";
  out << "</p>\n</section>\n";
}

void WriteLinksJsonSummary(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  const LinkSummary& links = figures.journal->links;
  out << ",\n    \"link_changes\": {";
  for (const LinkChangeKind kind : kKinds)
    out << (kind == kKinds[0] ? "" : ", ") << "\"" << journal::LinkChangeKindText(kind)
        << "\": " << links.Count(kind);
  out << "}";
}

void WriteLinksJson(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  const LinkSummary& links = figures.journal->links;
  out << ",\n  \"access_points\": [";
  bool first = true;
  for (const AccessPoint& row : links.access_points.ByTime()) {
    out << (first ? "\n    " : ",\n    ") << "{\"bssid\": " << Quoted(row.bssid)
        << ", \"ssid\": " << Quoted(SsidText(row.ssid)) << ", \"band\": ";
    if (row.band.empty()) {
      out << "null";
    } else {
      out << "\"" << row.band << "\"";
    }
    out << ", \"channel\": ";
    if (row.channel == 0) {
      out << "null";
    } else {
      out << row.channel;
    }
    out << ", \"samples\": " << row.samples << ", \"mean_signal_dbm\": ";
    if (row.HasMeanDbm()) {
      out << MeanText(row.MeanDbm());
    } else {
      out << "null";
    }
    out << ", \"share\": " << TimeShareText(row, links, figures.journal->records) << "}";
    first = false;
  }
  out << (first ? "]" : "\n  ]") << ",\n  \"link_changes\": [";
  first = true;
  for (const LinkChange& change : links.changes) {
    out << (first ? "\n    " : ",\n    ") << "{\"time\": \"" << IsoTime(change.utc, change.offset)
        << "\", \"kind\": \"" << journal::LinkChangeKindText(change.kind)
        << "\", \"from\": " << Quoted(change.from) << ", \"to\": " << Quoted(change.to) << "}";
    first = false;
  }
  out << (first ? "]" : "\n  ]");
}

}  // namespace quorvane::report
