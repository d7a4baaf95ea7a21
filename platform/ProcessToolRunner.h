#pragma once

#include "platform/ToolRunner.h"

namespace quorvane {

// Runs tools directly, never through a command interpreter, with no window and no
// standard input; a tool that overstays its limit is ended. Linux: QProcess, asked
// to stop, then killed; Windows: CreateProcessW, then TerminateProcess.
class ProcessToolRunner : public ToolRunner {
 public:
  ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                       std::chrono::milliseconds limit) override;
};

}  // namespace quorvane
