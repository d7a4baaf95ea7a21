#include "model/SignalValue.h"

#include "base/Digits.h"

namespace quorvane {
namespace {

std::optional<int> PercentOf(std::string_view text) {
  if (text == "100%") return 100;
  // Two characters before the "%": a blank or a tens digit, then the units.
  if (text.size() == 3 && text[2] == '%' && IsDigit(text[1]) &&
      (text[0] == ' ' || IsDigit(text[0])))
    return (text[0] == ' ' ? 0 : text[0] - '0') * 10 + (text[1] - '0');
  return std::nullopt;
}

std::optional<int> LevelOf(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '5') return text[0] - '0';
  return std::nullopt;
}

}  // namespace

SignalSample SampleOf(Method method, std::string_view value_text) {
  SignalSample sample;
  sample.method = method;
  if (value_text == kNoConnectionPercent || value_text == kNoConnectionLevel) {
    sample.value = 0;
    sample.connected = false;
    return sample;
  }
  sample.connected = value_text.find("(no connection)") == std::string_view::npos;
  sample.value = method == Method::kWirelessTool ? PercentOf(value_text) : LevelOf(value_text);
  return sample;
}

}  // namespace quorvane
