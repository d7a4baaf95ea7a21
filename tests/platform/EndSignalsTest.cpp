// The system's request to end, through the event loop.
#include "platform/linux/EndSignals.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(EndSignals, TheFirstIsOneCallFromTheEventLoopAndASecondEndsTheProgram) {
  int calls = 0;
  EndSignals watch([&] { ++calls; });

  // A child between fork and exec shares the watch: its signals are not the
  // program's request to end, and its second one ends it as always.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::raise(SIGTERM);
    ::raise(SIGINT);
    ::_exit(0);
  }
  int child_status = 0;
  ASSERT_EQ(::waitpid(child, &child_status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(child_status));
  EXPECT_EQ(WTERMSIG(child_status), SIGINT);
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);

  ::raise(SIGHUP);
  EXPECT_EQ(calls, 0);  // not inside the handler
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (calls == 0 && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(calls, 1);

  // While the program closes, a second signal ends it at once.
  const pid_t closing = ::fork();
  ASSERT_GE(closing, 0);
  if (closing == 0) {
    ::raise(SIGTERM);
    ::_exit(0);
  }
  ASSERT_EQ(::waitpid(closing, &child_status, 0), closing);
  ASSERT_TRUE(WIFSIGNALED(child_status));
  EXPECT_EQ(WTERMSIG(child_status), SIGTERM);
}

}  // namespace
}  // namespace quorvane
