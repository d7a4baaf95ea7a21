#pragma once

#include "model/LinkContext.h"

namespace quorvane {

// The system's source of the link's context; read on the reading's thread right after the signal.
class LinkContextSource {
 public:
  virtual ~LinkContextSource() = default;
  // The context of the wireless interface in use now. Never throws: what cannot be read is left
  // out.
  virtual LinkContext Read() = 0;
};

}  // namespace quorvane
