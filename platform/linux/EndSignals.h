#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace quorvane {

// The system asking the program to end: SIGTERM (the session ends, systemctl,
// kill), SIGINT (Ctrl+C in its terminal) and SIGHUP (its terminal closed). While
// watched, the first of them becomes one call of `on_end` on the thread that made
// the watch, from its event loop, so the program can close as its window's close
// button closes it. A second one, while it closes, ends it at once, as the
// signal always did. A signal ignored when the program started (nohup, a
// script's background job) stays ignored. One watch at a time.
class EndSignals {
 public:
  explicit EndSignals(std::function<void()> on_end);
  // Gives the signals their own actions back.
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  void Arrived();

  std::function<void()> on_end_;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace quorvane
