#pragma once

#include <functional>
#include <memory>

namespace quorvane {

// A repeating timer on the user-interface thread.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Start(int interval_ms) = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;
};

// The user-interface thread's message loop.
class MessageLoop {
 public:
  virtual ~MessageLoop() = default;
  // A timer that calls `on_timeout` on the user-interface thread.
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> on_timeout) = 0;
  // Runs `task` on the user-interface thread soon. Safe to call from any thread.
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace quorvane
