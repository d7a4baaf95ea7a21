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

void BackgroundReader::Start(SignalMethod method, const std::filesystem::path& log_file) {
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
    bool read = true;
    SignalReading reading;
    LoggedLine logged;
    try {
      reading = sampler.Read(request.method);
    } catch (const std::exception& error) {
      read = false;
      reading = {error.what()};
    }
    if (read) logged = sampler.Log(reading.value_text, request.log_file);
    lock.lock();
    // A reader that was stopped meanwhile may have let its loop go.
    if (shared->stopping) break;
    lock.unlock();
    loop.Post([reader, read, reading, logged] {
      const auto alive = reader.lock();
      if (!alive) return;
      BackgroundReader& self = **alive;
      self.busy_ = false;
      self.done_(read, reading, logged);
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
