#pragma once

#include <string_view>

namespace quorvane {

// The blanks of settings, tool output and history lines: the space alone.
inline constexpr std::string_view kBlanks = " ";
// The white space of a style sheet, as CSS counts it.
inline constexpr std::string_view kWhiteSpace = " \t\n\r\f";

// The text without the `blanks` at either end; a view into the same characters.
constexpr std::string_view Trimmed(std::string_view text, std::string_view blanks = kBlanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace quorvane
