#include "platform/portable/EchoSocket.h"

namespace quorvane {

EchoSocket ChooseEchoSocket(bool datagram_permitted, bool raw_permitted) {
  if (datagram_permitted) return EchoSocket::kDatagram;
  return raw_permitted ? EchoSocket::kRaw : EchoSocket::kNone;
}

std::string NoEchoSocketReason() {
  return "Quorvane may not send ICMP echo (ping): the system's ping group range "
         "(net.ipv4.ping_group_range) leaves out your groups and Quorvane lacks the CAP_NET_RAW "
         "capability. The router is shown as unavailable, and the internet is tried with TCP "
         "connections to ports 443 and 53 instead.";
}

}  // namespace quorvane
