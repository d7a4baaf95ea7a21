#include <cstdint>

#include "base/Utf8.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

// Windows-1252's characters at 0x80 to 0x9F; the rest above 0x7F are Latin-1's.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

AnsiToUtf8 ansi_to_utf8 = nullptr;

}  // namespace

void UseAnsiCodePage(AnsiToUtf8 convert) { ansi_to_utf8 = convert; }

std::string ToUtf8(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  if (ansi_to_utf8) return ansi_to_utf8(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
  }
  return out;
}

}  // namespace quorvane::report
