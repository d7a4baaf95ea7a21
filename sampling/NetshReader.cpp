#include "sampling/NetshReader.h"

#include "platform/AppError.h"
#include "sampling/FileOperations.h"
#include "sampling/WirelessOutput.h"

namespace quorvane {

SignalReading GetSignalByNetsh(ToolRunner& runner, const WirelessTool& tool,
                               const std::filesystem::path& temp_folder,
                               std::chrono::milliseconds limit) {
  const auto output_file = temp_folder / kToolOutputFileName;
  ToolResult result;
  try {
    result = runner.RunToFile(tool.command, output_file, limit);
  } catch (const AppError& error) {
    throw AppError(NamingFile(error.what(), output_file));  // a TEMP folder gone read-only
  }
  switch (result.outcome) {
    case ToolOutcome::kTimedOut:
      throw AppError("The wireless tool \"" + tool.command.program + "\" did not finish within " +
                     std::to_string(limit.count() / 1000) + " seconds and was stopped");
    case ToolOutcome::kCrashed:
      throw AppError("The wireless tool \"" + tool.command.program + "\" stopped unexpectedly");
    case ToolOutcome::kExited:
    case ToolOutcome::kFailedToStart:
      break;  // whatever it printed decides, as an empty output means no connection
  }
  const std::string text = ReadWholeFile(output_file);
  if (tool.format == WirelessOutputFormat::kNmcliTerse)
    return {ParseNmcliSignal(text), false, ParseNmcliLink(text)};
  return {ParseNetshSignal(text), ShowsLocationRefusal(text)};
}

}  // namespace quorvane
