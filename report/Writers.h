#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "report/Figures.h"

namespace quorvane::report {

// The report as one self-contained HTML page: inline SVG and CSS, no script.
void WriteHtml(const Figures& figures, const std::filesystem::path& log, std::ostream& out);

// The same figures as JSON.
void WriteJson(const Figures& figures, const std::filesystem::path& log, std::ostream& out);

// Figures as both the HTML and the JSON show them, so they compare as text.
std::string MeanText(double mean);
std::string ShareText(std::uint64_t part, std::uint64_t whole);  // percent, one decimal

// Bytes of the log's ANSI code page as UTF-8: valid UTF-8 as it is, anything else
// read as Windows-1252 (the Western code page).
std::string ToUtf8(std::string_view text);

}  // namespace quorvane::report
