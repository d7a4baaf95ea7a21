#include "recording/MetricsPublisher.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/Files.h"

namespace quorvane {

struct MetricsPublisher::Shared : std::enable_shared_from_this<Shared> {
  Shared(std::filesystem::path file, MessageLoop& loop, Failed failed)
      : file(std::move(file)), loop(loop), failed(std::move(failed)) {}

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [this] { return stopping || pending.has_value(); });
      if (stopping) return;
      const std::string text = std::move(*pending);
      pending.reset();
      lock.unlock();
      std::optional<std::string> error;
      try {
        PublishFile(file, text);
      } catch (const std::exception& failure) {
        error = failure.what();
      }
      lock.lock();
      // Under the lock: once the publisher is gone, nothing more reaches the loop.
      if (error && !stopping)
        loop.Post([self = shared_from_this(), description = *error] { self->Tell(description); });
    }
  }

  // On the user-interface thread, where the publisher also ends.
  void Tell(const std::string& description) {
    {
      std::lock_guard lock(mutex);
      if (stopping) return;
    }
    failed(description);
  }

  const std::filesystem::path file;
  MessageLoop& loop;
  const Failed failed;
  std::mutex mutex;
  std::condition_variable wake;
  std::optional<std::string> pending;
  bool stopping = false;
};

MetricsPublisher::MetricsPublisher(std::filesystem::path file, MessageLoop& loop, Failed failed)
    : shared_(std::make_shared<Shared>(std::move(file), loop, std::move(failed))) {
  std::thread([shared = shared_] { shared->Run(); }).detach();
}

MetricsPublisher::~MetricsPublisher() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->wake.notify_all();
}

void MetricsPublisher::Publish(std::string text) {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->pending = std::move(text);
  }
  shared_->wake.notify_all();
}

}  // namespace quorvane
