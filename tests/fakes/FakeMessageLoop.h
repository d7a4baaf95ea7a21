#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "window/Form1View.h"

namespace quorvane::testing {

class FakeMessageLoop;

// A timer that fires only when the test says so.
class FakeTimer : public Timer {
 public:
  FakeTimer(FakeMessageLoop& loop, std::function<void()> on_timeout);
  ~FakeTimer() override;

  void Start(int interval_ms) override {
    active_ = true;
    interval_ms_ = interval_ms;
  }
  void Stop() override { active_ = false; }
  bool Active() const override { return active_; }
  int interval_ms() const { return interval_ms_; }

  // One time-out, as the real timer would give it; nothing while stopped.
  void Fire() {
    if (active_) on_timeout_();
  }

 private:
  FakeMessageLoop& loop_;
  std::function<void()> on_timeout_;
  bool active_ = false;
  int interval_ms_ = 0;
};

// The user-interface thread is the test's own: timers fire by hand, and tasks
// posted from other threads wait in a queue until the test delivers them.
class FakeMessageLoop : public MessageLoop {
 public:
  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_timeout) override {
    return std::make_unique<FakeTimer>(*this, std::move(on_timeout));
  }

  void Post(std::function<void()> task) override {
    {
      std::lock_guard lock(mutex_);
      posted_.push_back(std::move(task));
    }
    arrived_.notify_all();
  }

  // The timers alive, in the order they were created.
  const std::vector<FakeTimer*>& timers() const { return timers_; }

  // Runs the tasks posted so far; returns how many ran.
  int RunPosted() {
    std::deque<std::function<void()>> tasks;
    {
      std::lock_guard lock(mutex_);
      tasks.swap(posted_);
    }
    for (auto& task : tasks) task();
    return static_cast<int>(tasks.size());
  }

  // Waits up to `timeout` for a task to be posted, then runs what is queued.
  bool WaitForPosted(std::chrono::milliseconds timeout) {
    {
      std::unique_lock lock(mutex_);
      if (!arrived_.wait_for(lock, timeout, [this] { return !posted_.empty(); })) return false;
    }
    RunPosted();
    return true;
  }

 private:
  friend class FakeTimer;

  std::vector<FakeTimer*> timers_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> posted_;
};

inline FakeTimer::FakeTimer(FakeMessageLoop& loop, std::function<void()> on_timeout)
    : loop_(loop), on_timeout_(std::move(on_timeout)) {
  loop_.timers_.push_back(this);
}

inline FakeTimer::~FakeTimer() { std::erase(loop_.timers_, this); }

}  // namespace quorvane::testing
