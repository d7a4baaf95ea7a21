// A self-pipe: the handler may only call what is safe in a signal handler, so it
// writes a byte that the event loop reads as any other input.
#include "platform/linux/EndSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <iterator>

namespace quorvane {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// What the handler reads: a signal handler has nothing else to reach them by.
volatile sig_atomic_t g_write_end = -1;
volatile sig_atomic_t g_owner = 0;  // the watching process, not a child between fork and exec
// The signals watched: one ignored when the program started (nohup, a
// background job of a script) stays ignored.
volatile sig_atomic_t g_taken[std::size(kEndSignals)] = {};

void SetAction(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kEndSignals); ++i)
    if (g_taken[i]) ::sigaction(kEndSignals[i], &action, nullptr);
}

extern "C" void OnEndSignal(int number) {
  const int saved_errno = errno;
  // The default action again before anything else: a second signal ends the
  // program at once, even if its close is stuck.
  SetAction(SIG_DFL);
  if (::getpid() == g_owner) {
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_write_end, &byte, 1);
  }
  errno = saved_errno;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> on_end) : on_end_(std::move(on_end)) {
  // Without a pipe the signals keep their default action: the program still runs.
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Arrived(); });
  g_write_end = pipe_[1];
  g_owner = ::getpid();
  for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
    struct sigaction current {};
    ::sigaction(kEndSignals[i], nullptr, &current);
    g_taken[i] = current.sa_handler != SIG_IGN;
  }
  SetAction(OnEndSignal);
}

EndSignals::~EndSignals() {
  if (!notifier_) return;
  SetAction(SIG_DFL);
  g_write_end = -1;
  notifier_.reset();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void EndSignals::Arrived() {
  unsigned char bytes[16];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  // Once: the handler has given the signals back their default action.
  notifier_->setEnabled(false);
  if (on_end_) on_end_();
}

}  // namespace quorvane
