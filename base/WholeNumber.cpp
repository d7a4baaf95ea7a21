#include "base/WholeNumber.h"

#include "base/Digits.h"
#include "base/Trim.h"

namespace quorvane {

std::optional<int> BoundedWholeNumber(std::string_view text, int largest) {
  text = Trimmed(text);
  std::size_t most_digits = 1;
  for (int rest = largest; rest >= 10; rest /= 10) ++most_digits;
  if (text.empty() || text.size() > most_digits) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > largest) return std::nullopt;
  return value;
}

}  // namespace quorvane
