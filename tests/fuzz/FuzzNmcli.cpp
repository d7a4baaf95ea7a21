// nmcli output parser: any bytes give one of the known value texts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sampling/WirelessOutput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto value =
      quorvane::ParseNmcliSignal(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool percent = (value.size() == 3 || value == "100%") && value.back() == '%';
  if (!percent && value != "0% (no connection)") __builtin_trap();
  return 0;
}
