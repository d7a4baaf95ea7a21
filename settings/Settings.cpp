#include "settings/Settings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "base/Trim.h"
#include "platform/AppError.h"

namespace quorvane {
namespace {

constexpr const char* kTypeMismatch = "Type mismatch";
constexpr const char* kOverflow = "Overflow";

// The number in the text, blanks around it allowed; throws "Type mismatch".
double ParseNumber(std::string_view text) {
  const std::string digits(Trimmed(text));
  if (digits.empty() || digits.find_first_of("xXpP") != std::string::npos)
    throw AppError(kTypeMismatch);  // no hexadecimal forms
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(digits.c_str(), &end);
  if (end != digits.c_str() + digits.size() || std::isnan(value)) throw AppError(kTypeMismatch);
  if (errno == ERANGE || std::isinf(value)) throw AppError(kOverflow);
  return value;
}

}  // namespace

std::string GetSetting(const SettingsStore& store, const SettingKey& key) {
  return store.Get(key.name).value_or(std::string(key.default_text));
}

void SaveSetting(SettingsStore& store, const SettingKey& key, std::string_view value) {
  store.Save(key.name, value);
}

std::string_view BooleanText(bool value) { return value ? "True" : "False"; }

bool TextToBoolean(std::string_view text) {
  if (text == "True") return true;
  if (text == "False") return false;
  return ParseNumber(text) != 0.0;
}

std::int16_t TextToInteger16(std::string_view text) {
  const double rounded =
      std::nearbyint(ParseNumber(text));  // the default mode rounds halves to even
  if (rounded < -32768.0 || rounded > 32767.0) throw AppError(kOverflow);
  return static_cast<std::int16_t>(rounded);
}

}  // namespace quorvane
