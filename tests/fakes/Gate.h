#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorvane::testing {

// Holds a reading or a round of probes on its thread until the test lets it go.
class Gate {
 public:
  void Wait() {
    std::unique_lock lock(mutex_);
    entered_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // Waits until a reading is held here.
  bool WaitEntered() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5), [this] { return entered_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  bool entered_ = false;
};

}  // namespace quorvane::testing
