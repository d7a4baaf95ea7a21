// netsh output parser: any bytes give a value text or the invalid-argument error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/AppError.h"
#include "sampling/WirelessOutput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const auto value =
        quorvane::ParseNetshSignal(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool percent = (value.size() == 3 && value.back() == '%') || value == "100%";
    if (!percent && value != "0% (no connection)") __builtin_trap();
  } catch (const quorvane::AppError&) {
  }
  return 0;
}
