#include "recording/ProbeRunner.h"

#include <mutex>
#include <thread>

namespace quorvane {

struct ProbeRunner::Shared {
  Shared(MessageLoop& loop, ProbeRunner* runner) : loop(loop), runner(runner) {}
  std::mutex mutex;
  MessageLoop& loop;
  ProbeRunner* runner;  // none once the runner is gone
};

ProbeRunner::ProbeRunner(std::shared_ptr<NetworkProbe> probe, MessageLoop& loop)
    : probe_(std::move(probe)), shared_(std::make_shared<Shared>(loop, this)) {}

ProbeRunner::~ProbeRunner() {
  std::lock_guard lock(shared_->mutex);
  shared_->runner = nullptr;
}

bool ProbeRunner::Start(std::vector<IpAddress> targets, std::chrono::milliseconds limit,
                        Done done) {
  if (busy_) return false;
  busy_ = true;
  std::thread([probe = probe_, shared = shared_, targets = std::move(targets), limit,
               done = std::move(done)]() mutable {
    probes::RoundResult result;
    try {
      result = probes::RunProbeRound(*probe, targets, limit);
    } catch (const std::exception&) {
      result.router.state = ProbeState::kUnavailable;
      if (!targets.empty()) result.internet.state = ProbeState::kUnavailable;
    }
    std::lock_guard lock(shared->mutex);
    if (!shared->runner) return;
    // Under the lock: the runner cannot go between this check and the post.
    shared->loop.Post([shared, result, done = std::move(done)] {
      ProbeRunner* runner = nullptr;
      {
        std::lock_guard lock(shared->mutex);
        runner = shared->runner;
      }
      if (!runner) return;
      runner->busy_ = false;
      done(result);
    });
  }).detach();
  return true;
}

}  // namespace quorvane
