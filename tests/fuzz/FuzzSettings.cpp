// Stored settings texts: the conversions either answer or throw AppError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/AppError.h"
#include "settings/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    quorvane::TextToBoolean(text);
  } catch (const quorvane::AppError&) {
  }
  try {
    const int value = quorvane::TextToInteger16(text);
    if (value < -32768 || value > 32767) __builtin_trap();
  } catch (const quorvane::AppError&) {
  }
  return 0;
}
