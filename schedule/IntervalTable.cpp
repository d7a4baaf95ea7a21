#include "schedule/IntervalTable.h"

namespace quorvane {

std::int32_t IntervalSeconds(std::string_view caption) {
  for (const auto& choice : kIntervalTable)
    if (choice.caption == caption) return choice.seconds;
  return 0;
}

}  // namespace quorvane
