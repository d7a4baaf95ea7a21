#pragma once

#include <filesystem>

namespace quorvane {

// The folder for the history log and the wireless tool's output: the TEMP
// environment variable when it is set and not empty, otherwise a persistent
// per-user folder of the system's (created when missing).
std::filesystem::path TempFolder();

}  // namespace quorvane
