#pragma once

#include <filesystem>
#include <string_view>

namespace quorvane {

// The end of a line in the system's text files: LF on Linux, CR LF on Windows.
extern const std::string_view kLineEnd;

// Appends `line` and the platform's line end to the file with a single write, so
// a line is either wholly in the file or not at all. Creates a missing file, on
// Linux readable by its owner only. Throws AppError with a description such as
// "Path not found", "Permission denied" or "Disk full".
void AppendLine(const std::filesystem::path& file, std::string_view line);

// Replaces the whole content of the file with `bytes`. A symbolic link or any other
// file standing at that path is replaced, never written through. Throws AppError.
void ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

}  // namespace quorvane
