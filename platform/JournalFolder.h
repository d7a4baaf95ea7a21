#pragma once

#include <filesystem>

namespace quorvane {

// The folder of the journal in the user's own data folder, which no system
// cleanup empties (TEMP is emptied on both systems). Not created here. Empty
// when the user has no such folder: then there is no journal.
std::filesystem::path JournalFolder();

}  // namespace quorvane
