#pragma once

#include <string_view>

namespace quorvane {

// The program's name, as its window, its tray and its messages show it.
inline constexpr std::string_view kProductName = "Quorvane";

}  // namespace quorvane
