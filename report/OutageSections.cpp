// The journal's part of the report: outages told apart by cause.
#include <algorithm>
#include <ostream>

#include "report/TimeText.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

using journal::Cause;
using journal::JournalOutages;
using journal::Outage;

constexpr const char* kCauseHeadings[] = {"WiFi", "Router", "Internet"};

std::string CauseName(Cause cause) { return std::string(journal::CauseText(cause)); }

// The internet outages while the WiFi and the router were fine, longest first.
std::vector<Outage> ForTheProvider(const JournalOutages& journal, std::size_t most) {
  std::vector<Outage> internet;
  for (const Outage& outage : journal.outages)
    if (outage.cause == Cause::kInternet) internet.push_back(outage);
  std::stable_sort(internet.begin(), internet.end(),
                   [](const Outage& a, const Outage& b) { return a.Seconds() > b.Seconds(); });
  if (internet.size() > most) internet.resize(most);
  return internet;
}

}  // namespace

void WriteOutagesHtml(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  const JournalOutages& journal = *figures.journal;
  out << "<section><h2>Outages by cause</h2>\n";
  if (journal.probed_records == 0)
    out << "<p class=\"note\">Only WiFi outages are shown: turn on \"Probe the Router and the "
           "Internet\" in the history list's menu to tell the router's and the internet's "
           "apart.</p>\n";
  out << "<table>\n<tr><th>Cause</th><th>Outages</th><th>In all</th><th>Longest</th></tr>\n";
  for (std::size_t i = 0; i < journal::kOutageCauses.size(); ++i) {
    const journal::CauseTotals& totals = journal.by_cause[i];
    const std::string path = "summary.outages." + CauseName(journal::kOutageCauses[i]);
    out << "<tr><td>" << kCauseHeadings[i] << "</td><td data-figure=\"" << path
        << ".count\" data-value=\"" << totals.count << "\">" << totals.count
        << "</td><td data-figure=\"" << path << ".total_seconds\" data-value=\""
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
  const std::vector<Outage> listed = ForTheProvider(journal, Figures::kLongestShown);
  const std::uint64_t all = journal.by_cause[2].count;
  out << "<h3>For your provider</h3>\n<p>Times the internet could not be reached while the "
         "WiFi and the router were fine.</p>\n";
  if (!listed.empty()) {
    out << "<table>\n<tr><th>Start</th><th>End</th><th>Duration</th></tr>\n";
    for (const Outage& outage : listed)
      out << "<tr><td>" << ReadableTime(outage.start, outage.start_offset) << "</td><td>"
          << ReadableTime(outage.end, outage.end_offset) << "</td><td>"
          << ReadableDuration(outage.Seconds()) << "</td></tr>\n";
    out << "</table>\n";
  }
  if (all > listed.size())
    out << "<p class=\"note\">The " << listed.size() << " longest are listed; "
        << all - listed.size() << " shorter ones are not. The JSON report lists them all.</p>\n";
  out << "</section>\n";
}

void WriteOutagesJsonSummary(const Figures& figures, std::ostream& out) {
  if (!figures.journal) return;
  out << ",\n    \"outages\": {";
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
        << IsoTime(outage.end, outage.end_offset) << "\", \"seconds\": " << outage.Seconds()
        << ", \"cause\": \"" << CauseName(outage.cause) << "\"}";
    first = false;
  }
  out << (first ? "]" : "\n  ]");
}

}  // namespace quorvane::report
