#include "model/SsidText.h"

#include "base/Digits.h"
#include "base/Utf8.h"

namespace quorvane {
namespace {

// Text as it stands: UTF-8 without a control character (C0, DEL or C1).
bool IsPrintableUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char c = Utf8At(text, at);
    if (c.length == 0 || c.code < 0x20 || (c.code >= 0x7f && c.code <= 0x9f)) return false;
    at += c.length;
  }
  return true;
}

// The code point of a direction control at `at`, 0 when none starts there.
char32_t DirectionControlAt(std::string_view text, std::size_t at) {
  const char32_t code = Utf8At(text, at).code;
  const bool control = code == 0x061c || code == 0x200e || code == 0x200f ||
                       (code >= 0x202a && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069);
  return control ? code : 0;
}

}  // namespace

std::string SsidText(std::string_view raw) {
  const bool as_text = IsPrintableUtf8(raw);
  std::string text;
  text.reserve(raw.size());
  for (const char c : raw) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      text += "\\\\";
    } else if (as_text || (byte >= 0x20 && byte < 0x7f)) {
      text += c;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xf];
    }
  }
  return text;
}

std::string DirectionControlsShown(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char32_t code = DirectionControlAt(text, at);
    if (code == 0) {
      shown += text[at];
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    shown += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) shown += kHex[code >> shift & 0xf];
    at += code == 0x061c ? 1 : 2;
  }
  return shown;
}

std::string SsidFromText(std::string_view text) {
  std::string raw;
  raw.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      raw += '\\';
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
               HexDigitValue(text[i + 2]) >= 0 && HexDigitValue(text[i + 3]) >= 0) {
      raw += static_cast<char>(HexDigitValue(text[i + 2]) << 4 | HexDigitValue(text[i + 3]));
      i += 3;
    } else {
      raw += text[i];
    }
  }
  return raw;
}

}  // namespace quorvane
