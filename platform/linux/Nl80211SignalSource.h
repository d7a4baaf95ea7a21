#pragma once

#include <memory>

#include "platform/SignalStrengthSource.h"

struct nl_sock;

namespace quorvane {

// Signal strengths from the kernel's nl80211 interface: every wireless interface in
// station mode is one instance, and its strength is the signal of the access point
// it is associated with (0 dBm when it is not associated). A kernel without nl80211
// has no instances. The socket and the family lookup are kept for the run.
class Nl80211SignalSource : public SignalStrengthSource {
 public:
  Nl80211SignalSource();
  ~Nl80211SignalSource() override;

  void Bind(const std::string& computer) override;
  std::unique_ptr<StrengthInstances> Query() override;

 private:
  struct SocketDeleter {
    void operator()(nl_sock* socket) const;
  };
  std::unique_ptr<nl_sock, SocketDeleter> socket_;
  int family_ = -1;  // -1: the kernel offers no nl80211
};

}  // namespace quorvane
