#include "window/ReportMaker.h"

#include <mutex>
#include <thread>

#include "base/PathText.h"

namespace quorvane {

// What the report's thread shares with its maker. The thread may outlive the
// maker, and with it the clock and the message loop it was lent: both are let go
// here under the lock, and the thread touches them only under it.
struct ReportMaker::Shared : Clock {
  mutable std::mutex mutex;
  const Clock* clock;
  MessageLoop* loop;
  ReportMaker* maker;  // on the user-interface thread only

  Shared(const Clock& clock, MessageLoop& loop, ReportMaker& maker)
      : clock(&clock), loop(&loop), maker(&maker) {}

  const Clock& Lent() const {
    if (!clock) throw report::ReportError("Quorvane was closed before the report was done");
    return *clock;
  }
  LocalDateTime Now() const override {
    std::lock_guard lock(mutex);
    return Lent().Now();
  }
  std::string ShortDate(const LocalDateTime& when) const override {
    std::lock_guard lock(mutex);
    return Lent().ShortDate(when);
  }
  std::string LongTime(const LocalDateTime& when) const override {
    std::lock_guard lock(mutex);
    return Lent().LongTime(when);
  }
};

ReportMaker::ReportMaker(const Clock& clock, MessageLoop& loop)
    : shared_(std::make_shared<Shared>(clock, loop, *this)) {}

ReportMaker::~ReportMaker() {
  std::lock_guard lock(shared_->mutex);
  shared_->clock = nullptr;
  shared_->loop = nullptr;
  shared_->maker = nullptr;
}

bool ReportMaker::Start(const std::filesystem::path& log, report::Format format,
                        const std::filesystem::path& out, Done done) {
  if (busy_) return false;
  busy_ = true;
  done_ = std::move(done);
  std::thread([shared = shared_, log, format, out] {
    std::string error;
    try {
      report::WriteReportFile(log, format, *shared, out);
    } catch (const std::exception& failure) {
      error = failure.what();
      if (error.empty()) error = "The report " + PathText(out) + " could not be written";
    } catch (...) {
      error = "The report " + PathText(out) + " could not be written";
    }
    std::lock_guard lock(shared->mutex);
    if (!shared->loop) return;
    shared->loop->Post([shared, error] {
      ReportMaker* maker = shared->maker;
      if (!maker) return;
      maker->busy_ = false;
      const Done done = std::move(maker->done_);
      done(error);
    });
  }).detach();
  return true;
}

}  // namespace quorvane
