#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/MessageLoop.h"

namespace quorvane {

// Writes the metrics file on a thread of its own, so that a slow or hung folder
// (a network share, say) never holds up the window. Only the newest text matters:
// a text still waiting to be written is replaced by a newer one.
class MetricsPublisher {
 public:
  // `failed` receives the description of a write that failed, on the
  // user-interface thread.
  using Failed = std::function<void(const std::string& description)>;

  MetricsPublisher(std::filesystem::path file, MessageLoop& loop, Failed failed);
  // Lets a write under way finish on its own, without waiting for it: a hung
  // folder never keeps the program from closing. Its outcome is no longer told.
  ~MetricsPublisher();
  MetricsPublisher(const MetricsPublisher&) = delete;
  MetricsPublisher& operator=(const MetricsPublisher&) = delete;

  void Publish(std::string text);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace quorvane
