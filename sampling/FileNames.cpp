#include "sampling/FileNames.h"

#include <algorithm>

#include "base/Trim.h"

namespace quorvane {
std::string StripTrailingWord(std::string_view text, std::string_view word) {
  const auto last_blank = text.rfind(' ');
  if (last_blank == std::string_view::npos) return std::string(text);
  const auto tail = Trimmed(text.substr(last_blank));
  if (word.empty() || tail == word) return std::string(Trimmed(text.substr(0, last_blank + 1)));
  return std::string(text);
}

std::string CleanFileName(std::string_view text) {
  static constexpr std::string_view kRemoved = "$/\\*:?<>|#' .,\"()-+=%;}{\t";
  std::string cleaned(text);
  std::erase_if(cleaned, [](char c) { return kRemoved.find(c) != std::string_view::npos; });
  return cleaned;
}

}  // namespace quorvane
