#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "platform/MessageLoop.h"
#include "platform/NetworkProbe.h"
#include "probes/ProbeRound.h"

namespace quorvane {

// Runs one round of network probes at a time on a thread of its own, so that no
// sample, list or window waits for a probe, and hands the result back on the
// user-interface thread.
class ProbeRunner {
 public:
  using Done = std::function<void(const probes::RoundResult& result)>;

  ProbeRunner(std::shared_ptr<NetworkProbe> probe, MessageLoop& loop);
  // A round under way finishes on its own within its time limit; its result is
  // no longer delivered.
  ~ProbeRunner();
  ProbeRunner(const ProbeRunner&) = delete;
  ProbeRunner& operator=(const ProbeRunner&) = delete;

  bool busy() const { return busy_; }
  // Starts a round; false, starting nothing, while one is under way.
  bool Start(std::vector<IpAddress> targets, std::chrono::milliseconds limit, Done done);

 private:
  // What a round's thread shares with the runner; once the runner is gone, the
  // thread no longer touches the loop.
  struct Shared;
  std::shared_ptr<NetworkProbe> probe_;
  std::shared_ptr<Shared> shared_;
  bool busy_ = false;  // on the user-interface thread only
};

}  // namespace quorvane
