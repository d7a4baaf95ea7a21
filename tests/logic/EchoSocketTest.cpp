// Which ICMP socket the Linux probes open, decided in standard C++.
#include <gtest/gtest.h>

#include "platform/portable/EchoSocket.h"

namespace quorvane {
namespace {

TEST(EchoSocket, DatagramFirstThenRawElseNone) {
  EXPECT_EQ(ChooseEchoSocket(true, true), EchoSocket::kDatagram);
  EXPECT_EQ(ChooseEchoSocket(true, false), EchoSocket::kDatagram);
  EXPECT_EQ(ChooseEchoSocket(false, true), EchoSocket::kRaw);
  EXPECT_EQ(ChooseEchoSocket(false, false), EchoSocket::kNone);
}

}  // namespace
}  // namespace quorvane
