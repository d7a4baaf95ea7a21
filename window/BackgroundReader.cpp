#include "window/BackgroundReader.h"

namespace quorvane {

BackgroundReader::BackgroundReader(StatusSampler& sampler, MessageLoop& loop, Done done)
    : sampler_(sampler),
      loop_(loop),
      done_(std::move(done)),
      self_(std::make_shared<BackgroundReader*>(this)),
      thread_([this] { Run(); }) {}

BackgroundReader::~BackgroundReader() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  // A tool still running is ended rather than waited for, so closing is at once.
  if (busy_) sampler_.StopReading();
  thread_.join();
}

void BackgroundReader::Start(SignalMethod method) {
  if (busy_) return;
  busy_ = true;
  {
    std::lock_guard lock(mutex_);
    request_ = method;
  }
  wake_.notify_all();
}

void BackgroundReader::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || request_.has_value(); });
    if (stopping_) return;
    const SignalMethod method = *request_;
    request_.reset();
    lock.unlock();
    bool read = true;
    SignalReading reading;
    try {
      reading = sampler_.Read(method);
    } catch (const std::exception& error) {
      read = false;
      reading = {error.what()};
    }
    std::weak_ptr<BackgroundReader*> reader = self_;
    loop_.Post([reader, read, reading] {
      const auto alive = reader.lock();
      if (!alive) return;
      BackgroundReader& self = **alive;
      self.busy_ = false;
      self.done_(read, reading);
    });
    lock.lock();
  }
}

}  // namespace quorvane
