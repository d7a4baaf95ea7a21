#pragma once

#include "platform/Connectivity.h"

namespace quorvane {

// InternetGetConnectedState of wininet: true when it answers exactly 1.
class InternetConnectivity : public Connectivity {
 public:
  bool IsInternetConnected() const override;
};

}  // namespace quorvane
