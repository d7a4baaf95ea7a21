#pragma once

#include "platform/ToolRunner.h"

namespace quorvane {

// Runs tools with CreateProcessW: no command interpreter, no window, standard
// output into a file beside the output file that then replaces it.
class ProcessToolRunner : public ToolRunner {
 public:
  ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                       std::chrono::milliseconds limit) override;
};

}  // namespace quorvane
