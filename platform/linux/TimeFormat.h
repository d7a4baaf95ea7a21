#pragma once

#include <string>

#include "platform/Clock.h"

namespace quorvane {

// The time in a strftime pattern, by the LC_TIME locale.
std::string FormatLocalTime(const char* pattern, const LocalDateTime& when);

}  // namespace quorvane
