#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// True when the time of last change of the path can be read. Never throws.
bool FileExists(const std::filesystem::path& path);

// The whole file as bytes; "" for a missing file and the text "empty file" for a
// file of length 0. Throws AppError when the file exists but cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Deletes the file, also when it is read-only. Never throws; a file that cannot be
// deleted stays where it is.
void DeleteFileQuietly(const std::filesystem::path& path);

}  // namespace quorvane
