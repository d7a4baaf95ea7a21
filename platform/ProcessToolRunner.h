#pragma once

#include <cstdint>
#include <mutex>

#include "platform/ToolRunner.h"

namespace quorvane {

// Runs tools directly, never through a command interpreter, with no window and no
// standard input; a tool that overstays its limit is ended. Linux: QProcess, asked
// to stop, then killed; Windows: CreateProcessW, then TerminateProcess.
class ProcessToolRunner : public ToolRunner {
 public:
  ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                       std::chrono::milliseconds limit) override;
  void StopRunningTool() override;

 private:
  // Called with the running tool (its process id on Linux, its process handle on
  // Windows) when it starts and with 0 before it is let go.
  void SetRunning(std::intptr_t tool);

  std::mutex mutex_;
  std::intptr_t running_ = 0;
  bool stopping_ = false;
};

}  // namespace quorvane
