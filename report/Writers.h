#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "report/Figures.h"
#include "report/TimeZone.h"

namespace quorvane::report {

// The report as one self-contained HTML page: inline SVG and CSS, no script. The
// plots' times are read in `zone`.
void WriteHtml(const Figures& figures, const std::filesystem::path& log, const TimeZone& zone,
               std::ostream& out);

// The same figures as JSON.
void WriteJson(const Figures& figures, const std::filesystem::path& log, std::ostream& out);

// The journal's outages in the order they happened, by cause and the list for the
// provider (its times named in `zone`), in the HTML; in the JSON the unreadable
// rows, the summary per cause and every outage.
void WriteOutagesHtml(const Figures& figures, const TimeZone& zone, std::ostream& out);
void WriteOutagesJsonSummary(const Figures& figures, std::ostream& out);
void WriteOutagesJson(const Figures& figures, std::ostream& out);

// The wireless link's part from the journal: its changes counted in the summary,
// marked on the signal plots, and its access points.
void WriteLinkCountsHtml(const Figures& figures, std::ostream& out);
void WriteLinksHtml(const Figures& figures, std::ostream& out);
void WriteLinksJsonSummary(const Figures& figures, std::ostream& out);
void WriteLinksJson(const Figures& figures, std::ostream& out);
// The key to the marks, and the marks of the changes from `from` to `to` (UTC) on a
// plot whose area starts at `left`, `top`.
void WriteLinkMarksKey(const Figures& figures, std::int64_t from, std::int64_t to,
                       std::ostream& out);
void WriteLinkMarks(const Figures& figures, std::int64_t from, std::int64_t to, double left,
                    double top, double width, double height, std::ostream& out);

// Text for HTML, its markup characters escaped; a JSON string, in quotes. Both
// take the log's bytes (ToUtf8).
std::string Escaped(std::string_view text);
std::string Quoted(std::string_view text);

// Figures as both the HTML and the JSON show them, so they compare as text.
std::string MeanText(double mean);
std::string MedianText(double median);  // a whole number, or one ending in .5
std::string ShareText(std::uint64_t part, std::uint64_t whole);  // percent, one decimal

// Bytes of the log's ANSI code page as UTF-8: valid UTF-8 as it is, anything else
// read with the code page named by UseAnsiCodePage, else as Windows-1252 (the
// Western code page).
std::string ToUtf8(std::string_view text);

// Where the log is in the system's ANSI code page, the program names its
// conversion once at start-up, before any report is made.
using AnsiToUtf8 = std::string (*)(std::string_view text);
void UseAnsiCodePage(AnsiToUtf8 convert);

// One decimal, with a point whatever the locale: "63.5".
std::string OneDecimal(double value);

}  // namespace quorvane::report
