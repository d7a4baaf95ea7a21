#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sampling/StatusSampler.h"
#include "window/Form1View.h"

namespace quorvane {

// Runs signal readings on a thread of their own, so that the window never waits
// for the wireless tool, and hands each result back on the user-interface thread.
// One reading at a time.
class BackgroundReader {
 public:
  // `done` receives the reading, or in its value text the description of the
  // failure.
  using Done = std::function<void(bool read, const SignalReading& reading)>;

  BackgroundReader(StatusSampler& sampler, MessageLoop& loop, Done done);
  // Stops a reading under way (its tool is ended) and lets its result go.
  ~BackgroundReader();

  bool busy() const { return busy_; }
  // Starts a reading; ignored while one is under way.
  void Start(SignalMethod method);

 private:
  void Run();

  StatusSampler& sampler_;
  MessageLoop& loop_;
  Done done_;
  bool busy_ = false;  // read and written on the user-interface thread only
  // Results posted after this reader is gone find it expired and are dropped.
  std::shared_ptr<BackgroundReader*> self_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<SignalMethod> request_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace quorvane
