#include "platform/linux/SocketNetworkProbe.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/linux/RouteConnectivity.h"
#include "platform/portable/EchoSocket.h"

namespace quorvane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kEchoRequest4 = 8;
constexpr std::uint8_t kEchoReply4 = 0;
constexpr std::uint8_t kEchoRequest6 = 128;
constexpr std::uint8_t kEchoReply6 = 129;
constexpr std::size_t kIpv4HeaderMinimum = 20;

class Socket {
 public:
  explicit Socket(int fd = -1) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Socket& operator=(Socket&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

int Family(const IpAddress& address) { return address.v6 ? AF_INET6 : AF_INET; }
int IcmpProtocol(const IpAddress& address) {
  return address.v6 ? static_cast<int>(IPPROTO_ICMPV6) : static_cast<int>(IPPROTO_ICMP);
}

// The socket address of `address` at `port`, with its length.
std::pair<sockaddr_storage, socklen_t> SocketAddress(const IpAddress& address, std::uint16_t port) {
  sockaddr_storage storage{};
  if (address.v6) {
    auto* six = reinterpret_cast<sockaddr_in6*>(&storage);
    six->sin6_family = AF_INET6;
    six->sin6_port = htons(port);
    std::memcpy(&six->sin6_addr, address.bytes.data(), 16);
    return {storage, sizeof(sockaddr_in6)};
  }
  auto* four = reinterpret_cast<sockaddr_in*>(&storage);
  four->sin_family = AF_INET;
  four->sin_port = htons(port);
  std::memcpy(&four->sin_addr, address.bytes.data(), 4);
  return {storage, sizeof(sockaddr_in)};
}

bool SameAddress(const sockaddr_storage& from, const IpAddress& address) {
  if (address.v6)
    return from.ss_family == AF_INET6 &&
           std::memcmp(&reinterpret_cast<const sockaddr_in6*>(&from)->sin6_addr,
                       address.bytes.data(), 16) == 0;
  return from.ss_family == AF_INET &&
         std::memcmp(&reinterpret_cast<const sockaddr_in*>(&from)->sin_addr, address.bytes.data(),
                     4) == 0;
}

// Opens the ICMP socket the process may use for the address's family; which one is
// decided by what the system permits.
std::pair<Socket, EchoSocket> OpenEchoSocket(const IpAddress& address) {
  const int flags = SOCK_NONBLOCK | SOCK_CLOEXEC;
  Socket datagram(::socket(Family(address), SOCK_DGRAM | flags, IcmpProtocol(address)));
  Socket raw;
  if (datagram.get() < 0)
    raw = Socket(::socket(Family(address), SOCK_RAW | flags, IcmpProtocol(address)));
  const auto kind = ChooseEchoSocket(datagram.get() >= 0, raw.get() >= 0);
  return {kind == EchoSocket::kDatagram ? std::move(datagram) : std::move(raw), kind};
}

std::uint16_t Checksum(const std::uint8_t* data, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
  if (size % 2) sum += static_cast<std::uint32_t>(data[size - 1] << 8);
  while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

struct Probe {
  IpAddress address;
  Socket socket;
  EchoSocket kind = EchoSocket::kNone;
  std::uint16_t identifier = 0;
  Clock::time_point sent;
  bool waiting = false;
};

// Whether a datagram read from the probe's socket is its echo reply.
bool IsReply(const Probe& probe, const std::uint8_t* data, std::size_t size,
             const sockaddr_storage& from) {
  if (!SameAddress(from, probe.address)) return false;
  // A raw IPv4 socket hands over the IP header too.
  if (!probe.address.v6 && probe.kind == EchoSocket::kRaw) {
    if (size < kIpv4HeaderMinimum) return false;
    const std::size_t header = static_cast<std::size_t>(data[0] & 0x0f) * 4;
    if (size < header) return false;
    data += header;
    size -= header;
  }
  if (size < 8) return false;
  const std::uint8_t reply = probe.address.v6 ? kEchoReply6 : kEchoReply4;
  if (data[0] != reply) return false;
  // A datagram socket's identifier is set by the kernel, which only hands it
  // replies of its own; a raw socket sees every reply.
  return probe.kind == EchoSocket::kDatagram || (data[4] << 8 | data[5]) == probe.identifier;
}

void Send(Probe& probe, std::uint16_t identifier) {
  std::array<std::uint8_t, 16> packet{};
  packet[0] = probe.address.v6 ? kEchoRequest6 : kEchoRequest4;
  packet[4] = static_cast<std::uint8_t>(identifier >> 8);
  packet[5] = static_cast<std::uint8_t>(identifier);
  packet[7] = 1;  // sequence number
  std::memcpy(packet.data() + 8, "quorvane", 8);
  if (!probe.address.v6) {
    const std::uint16_t sum = Checksum(packet.data(), packet.size());
    packet[2] = static_cast<std::uint8_t>(sum >> 8);
    packet[3] = static_cast<std::uint8_t>(sum);
  }
  probe.identifier = identifier;
  const auto [to, length] = SocketAddress(probe.address, 0);
  probe.sent = Clock::now();
  probe.waiting = ::sendto(probe.socket.get(), packet.data(), packet.size(), 0,
                           reinterpret_cast<const sockaddr*>(&to), length) >= 0;
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits on the sockets until each waiting one's `done` says so, or the limit.
template <typename Ready>
void WaitAll(std::vector<Probe>& round, std::chrono::milliseconds limit, short events,
             Ready ready) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    std::vector<pollfd> polled;
    std::vector<std::size_t> which;
    for (std::size_t i = 0; i < round.size(); ++i)
      if (round[i].waiting) {
        polled.push_back({round[i].socket.get(), events, 0});
        which.push_back(i);
      }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (polled.empty() || left.count() <= 0) return;
    const int count = ::poll(polled.data(), polled.size(), static_cast<int>(left.count()));
    if (count < 0 && errno != EINTR) return;
    for (std::size_t j = 0; j < polled.size(); ++j)
      if (polled[j].revents) ready(round[which[j]]);
  }
}

}  // namespace

std::optional<IpAddress> SocketNetworkProbe::RouterAddress() {
  if (auto v4 = Ipv4DefaultGateway(ReadProcFile("/proc/net/route"))) return v4;
  return Ipv6DefaultGateway(ReadProcFile("/proc/net/ipv6_route"));
}

std::string SocketNetworkProbe::EchoUnavailableReason() {
  IpAddress any;  // 0.0.0.0: only the family matters
  return OpenEchoSocket(any).second == EchoSocket::kNone ? NoEchoSocketReason() : std::string();
}

std::vector<EchoResult> SocketNetworkProbe::Echo(const std::vector<IpAddress>& addresses,
                                                 std::chrono::milliseconds limit) {
  std::vector<EchoResult> results(addresses.size());
  std::vector<Probe> round(addresses.size());
  const auto base = static_cast<std::uint16_t>(::getpid() * 31);
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    round[i].address = addresses[i];
    auto [socket, kind] = OpenEchoSocket(addresses[i]);
    round[i].socket = std::move(socket);
    round[i].kind = kind;
    if (kind == EchoSocket::kNone) continue;  // unavailable
    Send(round[i], static_cast<std::uint16_t>(base + i));
    if (!round[i].waiting) results[i].outcome = EchoOutcome::kNoAnswer;  // unreachable
  }
  WaitAll(round, limit, POLLIN, [&](Probe& probe) {
    std::array<std::uint8_t, 1500> buffer;
    sockaddr_storage from{};
    socklen_t length = sizeof from;
    const ssize_t got = ::recvfrom(probe.socket.get(), buffer.data(), buffer.size(), 0,
                                   reinterpret_cast<sockaddr*>(&from), &length);
    if (got < 0) {
      if (errno != EAGAIN && errno != EINTR) probe.waiting = false;  // an ICMP error came back
      return;
    }
    if (!IsReply(probe, buffer.data(), static_cast<std::size_t>(got), from)) return;
    const std::size_t i = static_cast<std::size_t>(&probe - round.data());
    results[i] = {EchoOutcome::kAnswered, MillisecondsSince(probe.sent)};
    probe.waiting = false;
  });
  for (std::size_t i = 0; i < round.size(); ++i)
    if (round[i].kind != EchoSocket::kNone && results[i].outcome != EchoOutcome::kAnswered)
      results[i].outcome = EchoOutcome::kNoAnswer;
  return results;
}

std::vector<EchoResult> SocketNetworkProbe::Connect(const std::vector<IpAddress>& addresses,
                                                    std::uint16_t port,
                                                    std::chrono::milliseconds limit) {
  std::vector<EchoResult> results(addresses.size());
  std::vector<Probe> round(addresses.size());
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    round[i].address = addresses[i];
    round[i].socket =
        Socket(::socket(Family(addresses[i]), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (round[i].socket.get() < 0) continue;  // unavailable
    results[i].outcome = EchoOutcome::kNoAnswer;
    const auto [to, length] = SocketAddress(addresses[i], port);
    round[i].sent = Clock::now();
    const int status =
        ::connect(round[i].socket.get(), reinterpret_cast<const sockaddr*>(&to), length);
    if (status == 0 || errno == ECONNREFUSED) {
      results[i] = {EchoOutcome::kAnswered, MillisecondsSince(round[i].sent)};
    } else {
      round[i].waiting = errno == EINPROGRESS;
    }
  }
  WaitAll(round, limit, POLLOUT, [&](Probe& probe) {
    probe.waiting = false;
    int error = 0;
    socklen_t size = sizeof error;
    ::getsockopt(probe.socket.get(), SOL_SOCKET, SO_ERROR, &error, &size);
    // A refusal comes from the host itself: it was reached.
    if (error == 0 || error == ECONNREFUSED) {
      const std::size_t i = static_cast<std::size_t>(&probe - round.data());
      results[i] = {EchoOutcome::kAnswered, MillisecondsSince(probe.sent)};
    }
  });
  return results;
}

}  // namespace quorvane
