#pragma once

namespace quorvane {

// ASCII digits only, whatever the locale: the texts read are written by programs.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `value` (not below 0) as exactly `width` decimal digits, zeros in front, into
// `out`; returns the end. Time stamps are written this way in bulk, so no printf.
constexpr char* WriteDigits(char* out, int value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

}  // namespace quorvane
