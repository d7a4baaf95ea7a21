#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/ToolRunner.h"
#include "platform/WirelessTool.h"
#include "sampling/SignalValues.h"

namespace quorvane {

// How long the wireless tool may run before it is ended and the reading fails.
inline constexpr std::chrono::milliseconds kWirelessToolTimeLimit = std::chrono::seconds(20);

// The name of the wireless tool's output file in the TEMP folder.
inline constexpr const char* kToolOutputFileName = "wifi2013.txt";

// Method #1: runs the system's wireless tool, keeps its output in the TEMP folder
// and returns the first signal percentage in it. A tool that is missing or fails
// gives "0% (no connection)"; one that runs past `limit` is ended and raises
// AppError, as does one that crashes. The reading also says whether netsh refused
// for want of location permission.
SignalReading GetSignalByNetsh(ToolRunner& runner, const WirelessTool& tool,
                               const std::filesystem::path& temp_folder,
                               std::chrono::milliseconds limit = kWirelessToolTimeLimit);

}  // namespace quorvane
