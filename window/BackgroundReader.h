#pragma once

#include <chrono>
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
// A reading's line is appended to the log on that thread too, so the window never
// waits for a log that another program holds; one reading at a time keeps the
// lines in order.
class BackgroundReader {
 public:
  // `done` receives the reading, or in its value text the description of the
  // failure, and for a reading its logged line.
  using Done =
      std::function<void(bool read, const SignalReading& reading, const LoggedLine& logged)>;
  // What `done` receives.
  struct Result {
    bool read = false;
    SignalReading reading;
    LoggedLine logged;
  };

  BackgroundReader(StatusSampler& sampler, MessageLoop& loop, Done done);
  // Stops a reading under way (its tool is ended) and waits for the thread.
  ~BackgroundReader();

  bool busy() const { return busy_; }
  // Starts a reading whose line goes to `log_file`; ignored while one is under way.
  void Start(Method method, const std::filesystem::path& log_file);

  // Stops the thread for good: a tool under way is ended, and the reading is
  // given `grace` to return. False when it is still inside a system call that
  // does not return (a hung WMI provider, say): its thread is then abandoned and
  // never reports, and the program must end without tearing down the sampler.
  bool Stop(std::chrono::milliseconds grace);
  // After Stop: the reading that ended as it stopped, never handed to `done`
  // (its line may be in the log already); none when every result was handed back.
  std::optional<Result> TakeUndelivered();

 private:
  // What the thread shares with its owner; the thread holds it too, so an
  // abandoned thread that comes back finds it.
  struct Request {
    Method method;
    std::filesystem::path log_file;
  };
  struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Request> request;
    std::optional<Result> undelivered;  // finished, until `done` or TakeUndelivered has it
    bool stopping = false;
    bool ended = false;
  };
  static void Run(const std::shared_ptr<Shared>& shared, StatusSampler& sampler, MessageLoop& loop,
                  const std::weak_ptr<BackgroundReader*>& reader);
  void RequestStop();

  StatusSampler& sampler_;
  Done done_;
  bool busy_ = false;  // read and written on the user-interface thread only
  // Results posted after this reader is gone find it expired and are dropped.
  std::shared_ptr<BackgroundReader*> self_;
  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};

}  // namespace quorvane
