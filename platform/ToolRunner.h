#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvane {

struct ToolCommand {
  std::string program;  // a bare name is looked up on PATH
  std::vector<std::string> arguments;
};

enum class ToolOutcome {
  kExited,         // ran to its end; see exit_code
  kFailedToStart,  // missing, not executable, or refused by the system
  kCrashed,        // ended by a signal or an unhandled fault
  kTimedOut,       // still running at the time limit, so it was ended
};

struct ToolResult {
  ToolOutcome outcome = ToolOutcome::kExited;
  int exit_code = 0;
};

// Runs an external tool without a shell and puts its standard output into a file.
class ToolRunner {
 public:
  virtual ~ToolRunner() = default;
  // Blocks until the tool ends or `limit` passes. The output file is replaced
  // (never followed through a link planted in its place) with what the tool printed
  // on standard output; a tool that cannot start leaves it empty. After a time-out
  // the file is left as it was.
  virtual ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                               std::chrono::milliseconds limit) = 0;
  // Ends the tool that RunToFile is waiting for, from any thread, so that a
  // program on its way out need not wait for it; RunToFile then returns at once,
  // with the tool as crashed, since what it printed was cut short.
  virtual void StopRunningTool() {}
};

}  // namespace quorvane
