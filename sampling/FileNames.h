#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The text without its last blank-separated word when that word equals `word`
// exactly (or when `word` is empty); the result is trimmed of blanks. A text
// without a blank is returned unchanged.
std::string StripTrailingWord(std::string_view text, std::string_view word);

// The text with every character that is unsafe or awkward in a file name removed.
std::string CleanFileName(std::string_view text);

}  // namespace quorvane
