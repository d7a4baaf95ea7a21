#pragma once

#include <filesystem>

namespace quorvane {

// The folder of the journal in the user's own data folder, which no system
// cleanup empties (TEMP is emptied on both systems). Not created here.
std::filesystem::path JournalFolder();

}  // namespace quorvane
