// nl80211 answers: any bytes as the attributes of an interface or station answer.
#include <cstddef>
#include <cstdint>

#include "platform/linux/Nl80211Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int length = static_cast<int>(size);
  quorvane::StationInterfaceIndex(data, length);
  if (const auto dbm = quorvane::StationSignal(data, length); dbm && (*dbm < -128 || *dbm > 127))
    __builtin_trap();
  return 0;
}
