#include "sampling/RadioBand.h"

namespace quorvane {
namespace {

// The channel of a frequency on a band's 5 MHz grid starting at `base`; 0 off the grid.
int GridChannel(int frequency_mhz, int base) {
  const int offset = frequency_mhz - base;
  return offset > 0 && offset % 5 == 0 ? offset / 5 : 0;
}

// Length of the UTF-8 sequence starting at `at`, 0 when it is not a valid one or
// encodes a control character (C0, DEL or C1).
std::size_t PrintableSequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(at);
  if (lead < 0x20 || lead == 0x7f) return 0;
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned code = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
    code = lead & 0x1f;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    code = lead & 0x0f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + length; ++i) {
    if ((byte(i) & 0xc0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3f);
  }
  static constexpr unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
  if (code >= 0x80 && code <= 0x9f) return 0;  // C1 controls
  return length;
}

bool IsPrintableUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = PrintableSequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code point of a direction control's UTF-8 sequence at `at`, 0 when none starts there.
unsigned DirectionControlAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(at) == 0xd8 && at + 1 < text.size() && byte(at + 1) == 0x9c) return 0x061c;
  if (byte(at) != 0xe2 || at + 2 >= text.size()) return 0;
  const unsigned code = 0x2000 | (byte(at + 1) & 0x3fu) << 6 | (byte(at + 2) & 0x3fu);
  if ((byte(at + 1) & 0xc0) != 0x80 || (byte(at + 2) & 0xc0) != 0x80) return 0;
  const bool control = code == 0x200e || code == 0x200f || (code >= 0x202a && code <= 0x202e) ||
                       (code >= 0x2066 && code <= 0x2069);
  return control ? code : 0;
}

}  // namespace

std::string_view BandOf(int frequency_mhz) {
  if (frequency_mhz >= 2400 && frequency_mhz <= 2500) return "2.4";
  if (frequency_mhz >= 4900 && frequency_mhz < 5925) return "5";
  if (frequency_mhz >= 5925 && frequency_mhz <= 7125) return "6";
  return "";
}

int ChannelOf(int frequency_mhz) {
  const std::string_view band = BandOf(frequency_mhz);
  if (band == "2.4") return frequency_mhz == 2484 ? 14 : GridChannel(frequency_mhz, 2407);
  if (band == "5")  // 4.9 GHz channels count from 4000 MHz, as in Japan
    return GridChannel(frequency_mhz, frequency_mhz < 5000 ? 4000 : 5000);
  if (band == "6") return frequency_mhz == 5935 ? 2 : GridChannel(frequency_mhz, 5950);
  return 0;
}

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
    const unsigned code = DirectionControlAt(text, at);
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
               HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      raw += static_cast<char>(HexDigit(text[i + 2]) << 4 | HexDigit(text[i + 3]));
      i += 3;
    } else {
      raw += text[i];
    }
  }
  return raw;
}

}  // namespace quorvane
