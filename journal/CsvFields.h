#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::journal {

// Appends a field to a CSV row, quoted when it holds a comma, a quote, a line
// break or blanks at either end.
void AppendField(std::string& row, std::string_view field);

// Splits one CSV row (without its line end) into its fields; false when a quoted
// field is not closed. Plain fields are views of the row; a quoted one is written
// unquoted into `unquoted`, which the fields view until the next call.
bool SplitRow(std::string_view row, std::vector<std::string_view>& fields, std::string& unquoted);

}  // namespace quorvane::journal
