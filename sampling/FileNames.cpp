#include "sampling/FileNames.h"

#include <algorithm>

namespace quorvane {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string StripTrailingWord(std::string_view text, std::string_view word) {
  const auto last_blank = text.rfind(' ');
  if (last_blank == std::string_view::npos) return std::string(text);
  const auto tail = TrimBlanks(text.substr(last_blank));
  if (word.empty() || tail == word) return std::string(TrimBlanks(text.substr(0, last_blank + 1)));
  return std::string(text);
}

std::string CleanFileName(std::string_view text) {
  static constexpr std::string_view kRemoved = "$/\\*:?<>|#' .,\"()-+=%;}{\t";
  std::string cleaned(text);
  std::erase_if(cleaned, [](char c) { return kRemoved.find(c) != std::string_view::npos; });
  return cleaned;
}

}  // namespace quorvane
