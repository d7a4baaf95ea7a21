#pragma once

namespace quorvane {

enum class OperatingSystem { kWindows, kLinux };

// The system this build runs on.
#ifdef _WIN32
inline constexpr OperatingSystem kThisSystem = OperatingSystem::kWindows;
#else
inline constexpr OperatingSystem kThisSystem = OperatingSystem::kLinux;
#endif

}  // namespace quorvane
