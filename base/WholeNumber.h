#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// A stored whole number from 0 to `largest`, blanks around it allowed; none for
// anything else (a sign, a point, letters, or more digits than `largest` has, so
// that a long run of digits cannot overflow).
std::optional<int> BoundedWholeNumber(std::string_view text, int largest);

}  // namespace quorvane
