#include "platform/linux/Nl80211SignalSource.h"

#include <linux/nl80211.h>
#include <netlink/genl/genl.h>
#include <netlink/netlink.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/AppError.h"
#include "platform/linux/Nl80211Messages.h"
#include "platform/linux/Nl80211Socket.h"

namespace quorvane {
namespace {

[[noreturn]] void ThrowNetlinkError(const char* what, int error) {
  throw AppError(std::string("nl80211: ") + what + ": " + nl_geterror(error));
}

class StationInstances : public StrengthInstances {
 public:
  StationInstances(nl_sock* socket, int family) : socket_(socket), family_(family) {}

  bool MoveNext() override {
    if (!listed_) ListStationInterfaces();
    if (next_ >= interfaces_.size()) return false;
    current_ = interfaces_[next_++];
    return true;
  }

  std::int32_t CurrentStrength() override {
    std::optional<std::int32_t> signal;
    const int error = Nl80211Dump(socket_, family_, NL80211_CMD_GET_STATION, current_,
                                  [&](const void* attributes, int length) {
                                    if (!signal) signal = StationSignal(attributes, length);
                                  });
    // An interface removed since it was listed has, like an idle one, no signal.
    if (error == -NLE_NODEV) return 0;
    if (error < 0) ThrowNetlinkError("reading the station", error);
    return signal.value_or(0);
  }

 private:
  void ListStationInterfaces() {
    listed_ = true;
    const int error =
        Nl80211Dump(socket_, family_, NL80211_CMD_GET_INTERFACE, std::nullopt,
                    [&](const void* attributes, int length) {
                      if (const auto index = StationInterfaceIndex(attributes, length))
                        interfaces_.push_back(*index);
                    });
    if (error < 0) ThrowNetlinkError("listing the interfaces", error);
  }

  nl_sock* socket_;
  int family_;
  bool listed_ = false;
  std::vector<std::uint32_t> interfaces_;
  std::size_t next_ = 0;
  std::uint32_t current_ = 0;
};

class NoInstances : public StrengthInstances {
 public:
  bool MoveNext() override { return false; }
  std::int32_t CurrentStrength() override { return 0; }
};

int ResolveNl80211Family(nl_sock* socket) {
  const int family = ResolveNl80211FamilyNumber(socket);
  if (family == kNoNl80211Family) return Nl80211SignalSource::kNoFamily;
  if (family < 0) ThrowNetlinkError("finding nl80211", family);
  return family;
}

std::unique_ptr<StrengthInstances> ListStations(nl_sock* socket, int family) {
  return std::make_unique<StationInstances>(socket, family);
}

}  // namespace

void Nl80211SignalSource::SocketDeleter::operator()(nl_sock* socket) const {
  nl_socket_free(socket);
}

Nl80211SignalSource::Nl80211SignalSource()
    : Nl80211SignalSource(ResolveNl80211Family, ListStations) {}

Nl80211SignalSource::Nl80211SignalSource(FamilyLookup lookup, InstanceLister lister)
    : lookup_(std::move(lookup)), lister_(std::move(lister)) {}

Nl80211SignalSource::~Nl80211SignalSource() = default;

void Nl80211SignalSource::Bind(const std::string& /*computer: only this one is reachable*/) {
  std::unique_ptr<nl_sock, SocketDeleter> socket(nl_socket_alloc());
  if (!socket) ThrowNetlinkError("opening a socket", -NLE_NOMEM);
  if (const int error = genl_connect(socket.get()); error < 0)
    ThrowNetlinkError("connecting", error);
  family_ = lookup_(socket.get());
  socket_ = std::move(socket);
}

std::unique_ptr<StrengthInstances> Nl80211SignalSource::Query() {
  if (!socket_) throw AppError("nl80211: the source is not connected");
  // Missing at the last look: the wireless modules may have been loaded since (a
  // USB adapter plugged in), and one more look costs a netlink round trip.
  if (family_ == kNoFamily) family_ = lookup_(socket_.get());
  if (family_ == kNoFamily) return std::make_unique<NoInstances>();
  return lister_(socket_.get(), family_);
}

}  // namespace quorvane
