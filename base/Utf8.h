#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// One character of UTF-8 text: its code point and how many bytes spell it.
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;  // 0: no well-formed character starts there
};

// The character at `pos` (within `text`). Well-formed as Unicode defines it: no
// overlong form, no surrogate, nothing past U+10FFFF, no sequence cut short.
Utf8Char Utf8At(std::string_view text, std::size_t pos);

// Whether the whole text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace quorvane
