#pragma once

#include <string>

namespace quorvane {

// The ICMP socket a process may open: a datagram socket where the system's
// ping group range lets it, else a raw one where it holds the capability.
enum class EchoSocket { kDatagram, kRaw, kNone };
EchoSocket ChooseEchoSocket(bool datagram_permitted, bool raw_permitted);
// Why echo is unavailable when neither socket may be opened.
std::string NoEchoSocketReason();

}  // namespace quorvane
