#pragma once

#include <filesystem>
#include <functional>

namespace quorvane {

// Whether Windows' refusal to replace or delete `file` ("access denied") will
// pass by itself: only when another program holds the file open without sharing
// its deletion. A read-only file, a folder, a missing file or one whose access
// list refuses deletion stays refused however long one waits.
bool RefusalPassesSoon(const std::filesystem::path& file);

// Runs `attempt`, which answers ERROR_SUCCESS or the error that refused it, again
// for about a second while another program holds the file: a sharing violation
// (it opened the file without sharing it) or a lock violation (it locked a range
// of it, which refuses writes rather than openings). Returns the last answer.
unsigned long RetryWhileHeld(const std::function<unsigned long()>& attempt);

}  // namespace quorvane
