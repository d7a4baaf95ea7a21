#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/SignalStrengthSource.h"

struct nl_sock;

namespace quorvane {

// Signal strengths from the kernel's nl80211 interface: every wireless interface in
// station mode is one instance, and its strength is the signal of the access point
// it is associated with (0 dBm when it is not associated). A kernel without nl80211
// has no instances. The socket is kept for the run, and so is the family once found;
// while the family is missing (the wireless modules not loaded yet, say until a USB
// adapter is plugged in) every query looks for it again.
class Nl80211SignalSource : public SignalStrengthSource {
 public:
  // The seams. The family lookup gives the nl80211 family's number on the socket,
  // kNoFamily when the kernel has none, and throws AppError on any other failure.
  // The instance lister gives the instances of a found family.
  static constexpr int kNoFamily = -1;
  using FamilyLookup = std::function<int(nl_sock* socket)>;
  using InstanceLister =
      std::function<std::unique_ptr<StrengthInstances>(nl_sock* socket, int family)>;

  Nl80211SignalSource();
  Nl80211SignalSource(FamilyLookup lookup, InstanceLister lister);
  ~Nl80211SignalSource() override;

  void Bind(const std::string& computer) override;
  std::unique_ptr<StrengthInstances> Query() override;

 private:
  struct SocketDeleter {
    void operator()(nl_sock* socket) const;
  };
  FamilyLookup lookup_;
  InstanceLister lister_;
  std::unique_ptr<nl_sock, SocketDeleter> socket_;
  int family_ = kNoFamily;
};

}  // namespace quorvane
