#pragma once

#include "platform/Connectivity.h"

namespace quorvane {

// InternetGetConnectedState of wininet, from the system folder: true when it
// answers exactly 1. Without wininet the test fails with a message.
class InternetConnectivity : public Connectivity {
 public:
  bool IsInternetConnected() const override;
};

}  // namespace quorvane
