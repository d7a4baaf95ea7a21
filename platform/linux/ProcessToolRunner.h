#pragma once

#include "platform/ToolRunner.h"

namespace quorvane {

// Runs tools with QProcess: no shell, standard input from /dev/null, standard error
// discarded, and a tool that overstays its limit asked to stop, then killed.
class ProcessToolRunner : public ToolRunner {
 public:
  ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                       std::chrono::milliseconds limit) override;
};

}  // namespace quorvane
