// The journal's part of the report: outages told apart by cause.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "base/PathText.h"
#include "base/TimeText.h"
#include "report/OutageStory.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

using journal::JournalOutages;
using journal::Outage;

constexpr const char* kCauseHeadings[] = {"WiFi", "Router", "Internet"};

std::string CauseName(Cause cause) { return std::string(CauseText(cause)); }

// Milliseconds as the axis names them: "0.1 ms", "10 ms", "1 s".
std::string AxisText(double ms) {
  char text[24];
  if (ms >= 1000)
    std::snprintf(text, sizeof text, "%g s", ms / 1000);
  else
    std::snprintf(text, sizeof text, "%g ms", ms);
  return text;
}

// One panel of the round-trip plot: per column a line from the median to the
// highest time on a logarithmic axis, and the share of lost probes shaded red.
void WriteRttPanel(const std::array<journal::RttGrid::Column, journal::RttGrid::kColumns>& columns,
                   const char* title, const char* colour, int top, const RttAxis& axis,
                   int bar_width, std::ostream& out) {
  constexpr int kLeft = 64;
  constexpr int kHeight = 110;
  const auto y = [&](double ms) {
    const double share = std::log10(std::max(ms, axis.bottom_ms) / axis.bottom_ms) /
                         std::log10(axis.top_ms / axis.bottom_ms);
    return top + kHeight - static_cast<int>(std::lround(std::min(share, 1.0) * kHeight));
  };
  out << "<text x=\"" << kLeft << "\" y=\"" << top - 6 << "\" font-size=\"12\">" << title
      << "</text>\n<rect x=\"" << kLeft << "\" y=\"" << top << "\" width=\""
      << journal::RttGrid::kColumns << "\" height=\"" << kHeight
      << "\" fill=\"none\" stroke=\"#ccc\"/>\n";
  for (const double ms : axis.ticks_ms)
    out << "<text x=\"" << kLeft - 4 << "\" y=\"" << y(ms) + 4
        << "\" font-size=\"10\" text-anchor=\"end\">" << AxisText(ms) << "</text>\n";
  for (int x = 0; x < journal::RttGrid::kColumns; ++x) {
    const auto& column = columns[static_cast<std::size_t>(x)];
    if (column.probes() == 0) continue;
    if (column.lost > 0)
      out << "<rect x=\"" << kLeft + x << "\" y=\"" << top << "\" width=\"1\" height=\"" << kHeight
          << "\" fill=\"#e06060\" fill-opacity=\""
          << OneDecimal(0.2 + 0.7 * column.lost / column.probes()) << "\"/>\n";
    if (column.answered == 0) continue;
    const int median = y(column.MedianMs());
    const int highest = y(column.highest_ms);
    out << "<rect x=\"" << kLeft + x << "\" y=\"" << highest - 1 << "\" width=\"" << bar_width
        << "\" height=\"" << median - highest + 2 << "\" fill=\"" << colour << "\"/>\n";
  }
}

void WriteRttPlot(const Figures& figures, std::ostream& out) {
  const journal::RttGrid& grid = figures.journal->rtt;
  // Each column's bar runs from its median to its highest time: the axis spans those.
  double lowest = INFINITY;
  double highest = 0;
  for (const auto* columns : {&grid.router(), &grid.internet()})
    for (const auto& column : *columns) {
      if (column.answered == 0) continue;
      lowest = std::min(lowest, column.MedianMs());
      highest = std::max(highest, column.highest_ms);
    }
  const RttAxis axis = FitRttAxis(lowest, highest);
  out << "<h3>Round-trip times</h3>\n<p class=\"note\">Per column the median to the highest "
         "time; red shading: the share of probes lost.</p>\n"
      << "<svg class=\"rtt\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 "
      << 64 + journal::RttGrid::kColumns + 16 << " 320\" font-family=\"sans-serif\">\n";
  // A few samples over the width are drawn wider than a column, so they show.
  const auto records = std::max<std::uint64_t>(1, figures.journal->records);
  const int bar_width =
      static_cast<int>(std::clamp<std::uint64_t>(journal::RttGrid::kColumns / records, 1, 6));
  WriteRttPanel(grid.router(), "Router", "#2a7f3f", 24, axis, bar_width, out);
  WriteRttPanel(grid.internet(), "Internet (fastest target)", "#2060c0", 174, axis, bar_width, out);
  out << "<text x=\"64\" y=\"304\" font-size=\"10\">"
      << ReadableTime(figures.first, figures.first_offset) << "</text>\n<text x=\""
      << 64 + journal::RttGrid::kColumns << "\" y=\"304\" font-size=\"10\" text-anchor=\"end\">"
      << ReadableTime(figures.last, figures.last_offset) << "</text>\n</svg>\n";
}

// Local times for a table: with their offset from UTC where the rows' times have
// several, so that none reads an hour off.
std::string RowTime(std::int64_t utc, std::int32_t offset, bool with_offset) {
  std::string text = ReadableTime(utc, offset);
  if (with_offset) text += " UTC" + IsoTime(utc, offset).substr(19);
  return text;
}

// The outages' times read in the zone the report shows times in, which names them,
// rather than in the offsets the journal was written with (another zone, for a
// computer that travelled).
std::vector<Outage> InZone(std::vector<Outage> outages, const TimeZone& zone) {
  for (Outage& outage : outages) {
    outage.start_offset = zone.OffsetAt(outage.start);
    outage.end_offset = zone.OffsetAt(outage.end);
  }
  return outages;
}

// Every outage in the order it happened, the most recent ones where there are many,
// each with what failed in words: the day as it went, before the totals.
void WriteWhatHappened(const JournalOutages& journal, const TimeZone& zone, std::ostream& out) {
  const std::vector<Outage> listed =
      InZone(MostRecentOutages(journal, Figures::kLongestShown), zone);
  out << "<section><h2>What happened</h2>\n";
  if (listed.empty()) {
    out << "<p>No outages.</p>\n</section>\n";
    return;
  }
  const bool with_offset = OffsetsOf(listed).size() > 1;
  // The rows are the last of the JSON's list: each duration names its place there.
  std::size_t index = journal.outages.size() - listed.size();
  out << "<table class=\"spans\">\n<tr><th>Start</th><th>End</th><th>What failed</th>"
         "<th>Duration</th></tr>\n";
  for (const Outage& outage : listed)
    out << "<tr><td>" << RowTime(outage.start, outage.start_offset, with_offset) << "</td><td>"
        << RowTime(outage.end, outage.end_offset, with_offset) << "</td><td>"
        << CauseInWords(outage.cause) << "</td><td data-figure=\"outages." << index++
        << ".seconds\" data-value=\"" << outage.Seconds() << "\">" << OutageDuration(outage)
        << "</td></tr>\n";
  out << "</table>\n";
  if (journal.outages.size() > listed.size()) {
    const std::size_t left = journal.outages.size() - listed.size();
    out << "<p class=\"note\">The " << listed.size() << " most recent are listed; " << left
        << (left == 1 ? " earlier one is not" : " earlier ones are not")
        << ". The JSON report lists them all.</p>\n";
  }
  out << "</section>\n";
}

// The internet's outages while the WiFi and the router were fine, in the order they
// happened, with the time zone named once: what a provider asks for.
void WriteForTheProvider(const JournalOutages& journal, const TimeZone& zone, std::ostream& out) {
  const std::vector<Outage> listed = InZone(ForTheProvider(journal, Figures::kLongestShown), zone);
  out << "<h3>For your provider</h3>\n<p>Times the internet could not be reached while the "
         "WiFi and the router were fine";
  if (listed.empty()) {
    out << ": none.</p>\n";
    return;
  }
  const std::vector<std::int32_t> offsets = OffsetsOf(listed);
  // The journal keeps the internet probe's result, not each target's answer: what it
  // knows is that the router answered and no target did.
  out << " (times in " << Escaped(ZoneText(zone.Name(), offsets))
      << "). In each, your router answered and none of the internet targets did (the "
         "internet probe's result: down).</p>\n"
      << "<table class=\"spans\">\n<tr><th>Start</th><th>End</th><th>Duration</th></tr>\n";
  for (const Outage& outage : listed)
    out << "<tr><td>" << RowTime(outage.start, outage.start_offset, offsets.size() > 1)
        << "</td><td>" << RowTime(outage.end, outage.end_offset, offsets.size() > 1) << "</td><td>"
        << OutageDuration(outage) << "</td></tr>\n";
  out << "</table>\n";
  const std::uint64_t all = journal.by_cause[2].count;
  if (all > listed.size())
    out << "<p class=\"note\">The " << listed.size() << " most recent are listed; "
        << all - listed.size() << " earlier ones are not. The JSON report lists them all.</p>\n";
}

}  // namespace

void WriteOutagesHtml(const Figures& figures, const TimeZone& zone, std::ostream& out) {
  if (!figures.journal) return;
  const JournalOutages& journal = *figures.journal;
  WriteWhatHappened(journal, zone, out);
  out << "<section><h2>Outages by cause</h2>\n";
  if (journal.probed_records == 0)
    out << "<p class=\"note\">Only WiFi outages are shown: turn on \"Probe the Router and the "
           "Internet\" in the history list's menu to tell the router's and the internet's "
           "apart.</p>\n";
  out << "<table>\n<tr><th>Cause</th><th>Outages</th><th>In all</th><th>Longest</th></tr>\n";
  // Without probes only the WiFi's outages can be known: no rows of zeros for the others.
  const std::size_t causes = journal.probed_records == 0 ? 1 : journal::kOutageCauses.size();
  for (std::size_t i = 0; i < causes; ++i) {
    const journal::CauseTotals& totals = journal.by_cause[i];
    const std::string path = "summary.outages." + CauseName(journal::kOutageCauses[i]);
    out << "<tr><td>" << kCauseHeadings[i] << "</td><td data-figure=\"" << path
        << ".count\" data-value=\"" << totals.count << "\">";
    if (totals.count == 0) {  // "none" rather than a total and a longest of 0 s
      out << "none</td><td></td><td></td></tr>\n";
      continue;
    }
    out << totals.count << "</td><td data-figure=\"" << path << ".total_seconds\" data-value=\""
        << totals.total_seconds << "\">" << ReadableDuration(totals.total_seconds)
        << "</td><td data-figure=\"" << path << ".longest_seconds\" data-value=\""
        << totals.longest_seconds << "\">" << ReadableDuration(totals.longest_seconds)
        << "</td></tr>\n";
  }
  out << "</table>\n";
  if (journal.probed_records == 0) {
    out << "</section>\n";
    return;
  }
  WriteForTheProvider(journal, zone, out);
  WriteRttPlot(figures, out);
  out << "</section>\n";
}

void WriteOutagesJsonSummary(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  out << ",\n    \"unreadable_journal_rows\": " << figures.journal->damaged_lines
      << ",\n    \"outages\": {";
  for (std::size_t i = 0; i < journal::kOutageCauses.size(); ++i) {
    const journal::CauseTotals& totals = figures.journal->by_cause[i];
    out << (i ? ", " : "") << "\"" << CauseName(journal::kOutageCauses[i])
        << "\": {\"count\": " << totals.count << ", \"total_seconds\": " << totals.total_seconds
        << ", \"longest_seconds\": " << totals.longest_seconds << "}";
  }
  out << "}";
}

void WriteOutagesJson(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  out << ",\n  \"outages\": [";
  bool first = true;
  for (const Outage& outage : figures.journal->outages) {
    out << (first ? "\n    " : ",\n    ") << "{\"start\": \""
        << IsoTime(outage.start, outage.start_offset) << "\", \"end\": \""
        << IsoTime(outage.end, outage.end_offset) << "\", \"samples\": " << outage.samples
        << ", \"spacing_seconds\": ";
    if (outage.spacing > 0)
      out << outage.spacing;
    else
      out << "null";
    out << ", \"seconds\": " << outage.Seconds() << ", \"cause\": \"" << CauseName(outage.cause)
        << "\"}";
    first = false;
  }
  out << (first ? "]" : "\n  ]");
}

}  // namespace quorvane::report
