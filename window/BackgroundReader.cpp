#include "window/BackgroundReader.h"

namespace quorvane {

BackgroundReader::BackgroundReader(StatusSampler& sampler, MessageLoop& loop, Done done)
    : sampler_(sampler),
      done_(std::move(done)),
      self_(std::make_shared<BackgroundReader*>(this)),
      shared_(std::make_shared<Shared>()),
      thread_([shared = shared_, &sampler, &loop, reader = std::weak_ptr(self_)] {
        Run(shared, sampler, loop, reader);
      }) {}

BackgroundReader::~BackgroundReader() {
  if (!thread_.joinable()) return;
  RequestStop();
  thread_.join();
}

void BackgroundReader::Start(Method method, const std::filesystem::path& log_file) {
  if (busy_) return;
  busy_ = true;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->request = Request{method, log_file};
  }
  shared_->wake.notify_all();
}

bool BackgroundReader::Stop(std::chrono::milliseconds grace) {
  if (!thread_.joinable()) return true;
  RequestStop();
  bool ended = false;
  {
    std::unique_lock lock(shared_->mutex);
    ended = shared_->wake.wait_for(lock, grace, [this] { return shared_->ended; });
  }
  if (!ended) {
    thread_.detach();
    return false;
  }
  thread_.join();
  return true;
}

std::optional<BackgroundReader::Result> BackgroundReader::TakeUndelivered() {
  std::optional<Result> finished;
  std::lock_guard lock(shared_->mutex);
  finished.swap(shared_->undelivered);
  return finished;
}

void BackgroundReader::RequestStop() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->wake.notify_all();
  // A tool still running is ended rather than waited for, so closing is at once.
  if (busy_) sampler_.StopReading();
}

void BackgroundReader::Run(const std::shared_ptr<Shared>& shared, StatusSampler& sampler,
                           MessageLoop& loop, const std::weak_ptr<BackgroundReader*>& reader) {
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->wake.wait(lock, [&] { return shared->stopping || shared->request.has_value(); });
    if (shared->stopping) break;
    const Request request = std::move(*shared->request);
    shared->request.reset();
    lock.unlock();
    Result result{true, {}, {}};
    try {
      result.reading = sampler.Read(request.method);
    } catch (const std::exception& error) {
      result.read = false;
      result.reading = {error.what()};
    }
    if (result.read) result.logged = sampler.Log(result.reading.value_text, request.log_file);
    lock.lock();
    // Kept here until it is handed back: a loop that quits before running the
    // task, or a reader stopped meanwhile, leaves it for TakeUndelivered.
    shared->undelivered = std::move(result);
    // A reader that was stopped meanwhile may have let its loop go.
    if (shared->stopping) break;
    lock.unlock();
    loop.Post([reader, shared] {
      const auto alive = reader.lock();
      if (!alive) return;
      std::optional<Result> finished;
      {
        std::lock_guard taking(shared->mutex);
        finished.swap(shared->undelivered);
      }
      if (!finished) return;  // taken at closing
      BackgroundReader& self = **alive;
      self.busy_ = false;
      self.done_(finished->read, finished->reading, finished->logged);
    });
    lock.lock();
  }
  lock.unlock();
  // COM objects go on the thread that made them.
  sampler.EndReadings();
  lock.lock();
  shared->ended = true;
  shared->wake.notify_all();
}

}  // namespace quorvane
