#include <algorithm>
#include <cstdio>
#include <string>

#include "base/PathText.h"
#include "base/TimeText.h"
#include "model/Gaps.h"
#include "model/SignalValue.h"
#include "report/SvgPlot.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

constexpr std::size_t kDaysShown = 400;

constexpr const char* kStyle = R"(<style>
body { font-family: "Liberation Sans", Arial, sans-serif; color: #1c2430; margin: 2em auto;
       max-width: 1040px; padding: 0 1em; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; } h2 { font-size: 1.2em; margin-top: 1.6em; }
h3 { font-size: 1em; margin: 1.2em 0 0.4em; }
.note { color: #5a6472; font-size: 0.9em; }
table { border-collapse: collapse; margin: 0.6em 0; }
th, td { border-bottom: 1px solid #d8dee6; padding: 0.2em 0.8em; text-align: right; }
th:first-child, td:first-child { text-align: left; }
svg { width: 100%; height: auto; display: block; }
td { white-space: nowrap; }
.spans th, .spans td { text-align: left; } .spans th:last-child, .spans td:last-child {
  text-align: right; } .spans .longest td { font-weight: bold; }
svg text { font-size: 13px; fill: #4a5462; }
/* The round-trip plot is drawn 560 wide, the signal plot 1026: its text is as
   large on the page at 13 * 560 / 1026. */
svg.rtt text { font-size: 7.1px; }
.grid { stroke: #e3e8ee; } .day { stroke: #c4ccd6; stroke-width: 0.8; }
.threshold { stroke: #c98a1b; stroke-dasharray: 5 4; }
.signal { fill: #9cc3ee; stroke: #1f6fc5; stroke-width: 1.5; stroke-linejoin: round;
          stroke-linecap: round; }
.idle { fill: #e6e6e6; background: #e6e6e6; } .drop { fill: #f5b5b0; background: #f5b5b0; }
.low { fill-opacity: 0.4; } .high { fill: #e8837a; background: #e8837a; }
.outage-router { fill: #f2cf66; background: #f2cf66; }
.outage-internet { fill: #c7b0ec; background: #c7b0ec; }
.other { fill: #efedf7; background: #efedf7; } svg .absent { fill: #7a7390; font-size: 15px; }
.bar { fill: #1f6fc5; }
.key span { white-space: nowrap; margin-right: 1em; }
.key i { display: inline-block; width: 0.9em; height: 0.9em; vertical-align: -0.1em;
         margin-right: 0.3em; }
.key .signal { background: #9cc3ee; border: 1px solid #1f6fc5; box-sizing: border-box; }
.key .low { opacity: 0.4; } .key .threshold { height: 0; border-top: 2px dashed #c98a1b; }
.mark line { stroke-width: 1; stroke-dasharray: 3 2; } .mark path { stroke: #fff; }
.mark.roam { fill: #7b3fb5; stroke: #7b3fb5; } .mark.network { fill: #1c2430; stroke: #1c2430; }
.mark.band { fill: #0f8a6e; stroke: #0f8a6e; } .mark.channel { fill: #c27c0e; stroke: #c27c0e; }
.access-points td:nth-child(-n+2), .access-points th:nth-child(-n+2) { text-align: left; }
.access-points td:first-child { font-family: "Liberation Mono", monospace; font-size: 0.95em; }
.key svg.mark { display: inline-block; width: 0.9em; height: 0.9em; vertical-align: -0.1em;
                margin-right: 0.3em; }
section { break-inside: avoid; }
@media print {
  body { margin: 0; max-width: none; } h2 { break-after: avoid; }
  /* The plots shrink to about two thirds on paper: their text grows to stay readable. */
  .plot text { font-size: 18px; } svg .absent { font-size: 20px; } .hours text { font-size: 14px; }
  svg.rtt text { font-size: 9.8px; }
}
</style>
)";

}  // namespace

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : ToUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

// A figure the tests compare with the JSON: `path` names it there.
template <typename Value>
void Figure(std::ostream& out, const std::string& path, const Value& value) {
  out << "<span data-figure=\"" << path << "\">" << value << "</span>";
}

std::string Unit(Method method) { return method == Method::kWirelessTool ? " %" : ""; }

// A table's local time, with its offset where that local time occurs twice.
std::string TableTime(std::int64_t utc, std::int32_t offset, const TimeZone& zone) {
  std::string text = ReadableTime(utc, offset);
  if (LocalTimeOccursTwice(zone, utc, offset)) text += " UTC" + IsoTime(utc, offset).substr(19);
  return text;
}

void WritePeriod(const Figures& figures, const TimeZone& zone, std::ostream& out) {
  out << "<section><h2>Period</h2><table>\n";
  if (figures.samples > 0) {
    out << "<tr><td>First sample</td><td><time data-figure=\"summary.first\" data-value=\""
        << IsoTime(figures.first, figures.first_offset) << "\">"
        << TableTime(figures.first, figures.first_offset, zone) << "</time></td></tr>\n"
        << "<tr><td>Last sample</td><td><time data-figure=\"summary.last\" data-value=\""
        << IsoTime(figures.last, figures.last_offset) << "\">"
        << TableTime(figures.last, figures.last_offset, zone) << "</time></td></tr>\n";
  }
  out << "<tr><td>Samples</td><td>";
  Figure(out, "summary.samples", figures.samples);
  out << "</td></tr>\n<tr><td>Methods seen</td><td>";
  bool any = false;
  for (const Method method : {Method::kWirelessTool, Method::kSignalStrength}) {
    if (figures.methods[MethodIndex(method)].samples == 0) continue;
    out << (any ? ", " : "") << MethodName(method);
    any = true;
  }
  out << (any ? "" : "none") << "</td></tr>\n<tr><td>Unreadable lines (skipped)</td><td>";
  Figure(out, "summary.unreadable_lines", figures.unreadable);
  out << "</td></tr>\n";
  if (figures.journal) {
    out << "<tr><td>Unreadable journal rows (skipped)</td><td>";
    Figure(out, "summary.unreadable_journal_rows", figures.journal->damaged_lines);
    out << "</td></tr>\n";
  }
  if (const SetBack& set_back = figures.set_back; set_back.samples > 0)
    out << "<tr><td>Clock set back</td><td>" << set_back.samples << " samples dated "
        << ReadableTime(set_back.first, zone.OffsetAt(set_back.first)) << " to "
        << ReadableTime(set_back.last, zone.OffsetAt(set_back.last))
        << ", years before the lines around them: their values count, their times are left off "
           "the plots, the gaps, the disconnections and the days</td></tr>\n";
  if (figures.order_unsettled)
    out << "<tr><td>Day and month</td><td>not settled: no slash date tells which comes first, "
           "and under neither reading do the lines run forward in time; read "
        << (figures.order == DayMonthOrder::kDayFirst ? "day" : "month")
        << " first, under which they keep closest together</td></tr>\n";
  WriteLinkCountsHtml(figures, out);
  out << "</table></section>\n";
}

void WriteMethod(const Figures& figures, Method method, const TimeZone& zone, std::ostream& out) {
  const MethodFigures& m = figures.methods[MethodIndex(method)];
  const std::string key = "summary.method" + std::to_string(static_cast<int>(method));
  out << "<section><h2>" << MethodName(method)
      << (method == Method::kWirelessTool ? ": signal in percent" : ": signal level 0 to 5")
      << "</h2>\n";
  WriteSignalPlot(figures, method, zone, out);
  out << "<table>\n<tr><th>Samples</th><th>Minimum</th><th>Median</th><th>Mean</th>"
         "<th>Maximum</th><th>Weak (below "
      << WeakThreshold(method) << Unit(method) << ")</th><th>Poor (below " << PoorThreshold(method)
      << Unit(method) << ")</th><th>No connection</th></tr>\n<tr><td>";
  Figure(out, key + ".samples", m.samples);
  out << "</td><td>";
  Figure(out, key + ".min", m.Min());
  out << "</td><td>";
  Figure(out, key + ".median", MedianText(m.Median()));
  out << "</td><td>";
  Figure(out, key + ".mean", MeanText(m.Mean()));
  out << "</td><td>";
  Figure(out, key + ".max", m.Max());
  out << "</td><td>";
  Figure(out, key + ".weak_share", ShareText(m.Below(WeakThreshold(method)), m.samples));
  out << " %</td><td>";
  Figure(out, key + ".poor_share", ShareText(m.Below(PoorThreshold(method)), m.samples));
  out << " %</td><td>";
  Figure(out, key + ".drops", m.drops);
  out << "</td></tr>\n</table>\n<h3>Mean by hour of the day</h3>\n";
  WriteHourBars(m, method, out);
  out << "</section>\n";
}

const char* Noun(std::uint64_t count, const char* one, const char* many) {
  return count == 1 ? one : many;
}

// The longest spans of a list in the order they happened, as a day is read, the
// longest of all marked; then how many shorter ones are left out.
void WriteSpans(const SpanList& spans, const TimeZone& zone, std::ostream& out) {
  std::vector<Span> shown = spans.Longest();
  if (shown.empty()) return;
  const Span longest = shown.front();
  std::stable_sort(shown.begin(), shown.end(),
                   [](const Span& a, const Span& b) { return a.from < b.from; });
  out << "<table class=\"spans\">\n<tr><th>Start</th><th>End</th><th>Duration</th></tr>\n";
  bool marked = false;
  for (const Span& span : shown) {
    const bool mark =
        shown.size() > 1 && !marked && span.from == longest.from && span.to == longest.to;
    marked = marked || mark;
    out << (mark ? "<tr class=\"longest\">" : "<tr>") << "<td>"
        << TableTime(span.from, span.from_offset, zone) << "</td><td>"
        << TableTime(span.to, span.to_offset, zone) << "</td><td>" << (mark ? "the longest, " : "")
        << ReadableDuration(span.Seconds()) << "</td></tr>\n";
  }
  out << "</table>\n";
  if (spans.count() > shown.size()) {
    const std::uint64_t left = spans.count() - shown.size();
    out << "<p class=\"note\">The " << shown.size() << " longest are listed; " << left
        << Noun(left, " shorter one is not", " shorter ones are not")
        << ". The JSON report lists them all.</p>\n";
  }
}

void WriteDisconnections(const Figures& figures, const TimeZone& zone, std::ostream& out) {
  const SpanList& spans = figures.disconnections;
  out << "<section><h2>Disconnections</h2>\n<p>";
  // With none, say so: a total and a longest of 0 s read as a measurement.
  if (spans.count() == 0) {
    out << "<span data-figure=\"summary.disconnections.count\" data-value=\"0\">No</span> "
           "disconnections.";
  } else {
    Figure(out, "summary.disconnections.count", spans.count());
    out << Noun(spans.count(), " disconnection", " disconnections")
        << ", <span data-figure=\"summary.disconnections.total_seconds\" "
           "data-value=\""
        << spans.total_seconds() << "\">" << ReadableDuration(spans.total_seconds())
        << "</span> in all, the longest <span "
           "data-figure=\"summary.disconnections.longest_seconds\" "
           "data-value=\""
        << spans.longest_seconds() << "\">" << ReadableDuration(spans.longest_seconds())
        << "</span>.";
  }
  out << " Times without samples are not disconnections: ";
  if (figures.gaps.count() == 0) {
    out << "<span data-figure=\"summary.gaps.count\" data-value=\"0\">no</span> gaps.</p>\n";
  } else {
    Figure(out, "summary.gaps.count", figures.gaps.count());
    out << Noun(figures.gaps.count(), " gap", " gaps") << ", "
        << ReadableDuration(figures.gaps.total_seconds()) << " in all.</p>\n";
  }
  WriteSpans(spans, zone, out);
  if (figures.gaps.count() > 0) {
    out << "<h3>Gaps, times without samples</h3>\n";
    WriteSpans(figures.gaps, zone, out);
  }
  out << "</section>\n";
}

void WriteDays(const Figures& figures, std::ostream& out) {
  bool seen[kMethodCount] = {figures.methods[0].samples > 0, figures.methods[1].samples > 0};
  out << "<section><h2>By day</h2>\n<table>\n<tr><th>Day</th><th>Samples</th>";
  for (const Method method : {Method::kWirelessTool, Method::kSignalStrength}) {
    if (!seen[MethodIndex(method)]) continue;
    out << "<th>" << MethodName(method) << " min</th><th>mean</th><th>max</th>";
  }
  out << "<th>Disconnections</th></tr>\n";
  const std::size_t skipped =
      figures.days.size() > kDaysShown ? figures.days.size() - kDaysShown : 0;
  std::size_t index = 0;
  for (const auto& [key, day] : figures.days) {
    if (index++ < skipped) continue;
    const std::string date = IsoTime(key * 86400, 0).substr(0, 10);
    const std::string path = "by_day." + std::to_string(index - 1);
    out << "<tr><td>" << date << "</td><td>";
    Figure(out, path + ".samples", day.samples);
    out << "</td>";
    for (const Method method : {Method::kWirelessTool, Method::kSignalStrength}) {
      const int m = MethodIndex(method);
      if (!seen[m]) continue;
      if (day.count[m] == 0) {
        out << "<td></td><td></td><td></td>";
        continue;
      }
      out << "<td>" << day.min[m] << "</td><td>"
          << MeanText(static_cast<double>(day.sum[m]) / static_cast<double>(day.count[m]))
          << "</td><td>" << day.max[m] << "</td>";
    }
    out << "<td>";
    Figure(out, path + ".disconnections", day.disconnections);
    out << "</td></tr>\n";
  }
  out << "</table>\n";
  if (skipped > 0)
    out << "<p class=\"note\">The last " << kDaysShown << " days are shown; " << skipped
        << Noun(skipped, " earlier day is", " earlier days are") << " in the JSON report.</p>\n";
  out << "</section>\n";
}

}  // namespace

void WriteHtml(const Figures& figures, const std::filesystem::path& log, const TimeZone& zone,
               std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
         "<title>Quorvane signal report</title>\n"
      << kStyle << "</head><body>\n<h1>WiFi signal report</h1>\n<p class=\"note\">From "
      << Escaped(PathText(log)) << ", made by Quorvane.</p>\n";
  WritePeriod(figures, zone, out);
  for (const Method method : {Method::kWirelessTool, Method::kSignalStrength})
    if (figures.methods[MethodIndex(method)].samples > 0) WriteMethod(figures, method, zone, out);
  WriteDisconnections(figures, zone, out);
  WriteOutagesHtml(figures, zone, out);
  WriteLinksHtml(figures, out);
  if (!figures.days.empty()) WriteDays(figures, out);
  out << "<p class=\"note\">Weak and poor: Method #1 below " << WeakThreshold(Method::kWirelessTool)
      << " % and below " << PoorThreshold(Method::kWirelessTool) << " %, Method #2 below level "
      << WeakThreshold(Method::kSignalStrength) << " and below level "
      << PoorThreshold(Method::kSignalStrength)
      << ". A sample without a connection counts as 0. A pause between samples is a gap, a time "
         "without samples, if it is more than a minute and more than "
      << kGapFactor
      << " times the usual spacing on each side of it and the pauses next to it: a changed "
         "interval is not a gap.</p>\n"
      << "</body></html>\n";
}

}  // namespace quorvane::report
