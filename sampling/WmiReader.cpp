#include "sampling/WmiReader.h"

#include "platform/AppError.h"
#include "sampling/SignalValues.h"

namespace quorvane {

std::string LevelFromStrength(std::int32_t dbm) {
  if (dbm == 0) return std::string(kNoConnectionLevel);
  if (dbm > -57) return "5";
  if (dbm > -68) return "4";
  if (dbm > -72) return "3";
  if (dbm > -80) return "2";
  if (dbm > -90) return "1";
  return "0";
}

WmiReader::WmiReader(SignalStrengthSource& source, const Connectivity& connectivity)
    : source_(source), connectivity_(connectivity) {}

std::string WmiReader::GetSignalByWmi(const std::string& computer) {
  std::string result = connectivity_.IsInternetConnected() ? "5" : "0";
  if (!service_ready_) {
    source_.Bind(computer);
    service_ready_ = true;
  }
  const auto instances = source_.Query();
  bool read_one = false;
  while (true) {
    bool has_next = false;
    try {
      has_next = instances->MoveNext();
    } catch (const AppError&) {
      // An enumeration that fails before any adapter was read means "no adapter
      // to ask"; a failure after that is a real fault.
      if (read_one) throw;
      return std::string(kNoConnectionLevel);
    }
    if (!has_next) break;
    read_one = true;
    result = LevelFromStrength(instances->CurrentStrength());
  }
  return result;
}

}  // namespace quorvane
