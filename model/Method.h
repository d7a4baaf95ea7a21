#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// How a sample's signal was read: Method #1, the wireless tool, gives a
// percentage; Method #2, the signal strength query, a level from 0 to 5. The
// values are the numbers the journal and the metrics file write.
enum class Method : std::uint8_t { kWirelessTool = 1, kSignalStrength = 2 };

inline constexpr int kMethodCount = 2;
inline int MethodIndex(Method method) { return method == Method::kWirelessTool ? 0 : 1; }
// The largest value a sample of the method can have: 100 percent, or level 5.
inline int MethodScale(Method method) { return method == Method::kWirelessTool ? 100 : 5; }
inline const char* MethodName(Method method) {
  return method == Method::kWirelessTool ? "Method #1" : "Method #2";
}

// 1 or 2, as files write the method.
inline int MethodNumber(Method method) { return static_cast<int>(method); }
inline std::optional<Method> MethodFromNumber(std::string_view text) {
  if (text == "1") return Method::kWirelessTool;
  if (text == "2") return Method::kSignalStrength;
  return std::nullopt;
}

}  // namespace quorvane
