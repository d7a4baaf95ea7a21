#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// A failed file operation's description followed by the file it failed on, so the
// user knows which file to look at: "Permission denied: /home/ann/Quorvane.txt".
std::string NamingFile(std::string_view description, const std::filesystem::path& file);

// True when the time of last change of the path can be read. Never throws.
bool FileExists(const std::filesystem::path& path);

// The whole file as it is, "" for a missing or empty one. Throws AppError, naming
// the file, when it exists but cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// The whole file as bytes; "" for a missing file and the text "empty file" for a
// file of length 0. Throws AppError, naming the file, when it exists but cannot be
// read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Deletes the file, also when it is read-only. Never throws; a file that cannot be
// deleted stays where it is.
void DeleteFileQuietly(const std::filesystem::path& path);

}  // namespace quorvane
