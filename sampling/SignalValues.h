#pragma once

#include <optional>
#include <string>

#include "model/LinkContext.h"
#include "model/SignalValue.h"

namespace quorvane {

// One reading: the value text of the history line, and whether the system refused
// the reading because desktop programs lack location permission (the wireless tool
// then says "0% (no connection)", and Method #2 what the connection test says).
struct SignalReading {
  std::string value_text;
  bool location_refused = false;
  LinkContext link{};     // the link the signal was read on
  SignalSample sample{};  // what the text says, once the sampler has read it
};

}  // namespace quorvane
