#pragma once

#include <filesystem>
#include <string_view>

#include "platform/AppError.h"

namespace quorvane {

// An append refused because another program holds the file open without sharing
// it (a spreadsheet showing it, say): a refusal that passes once it lets go.
class FileHeldError : public AppError {
 public:
  using AppError::AppError;
};

// What an append does while another program holds its file: waits about a second
// for it, or gives up at once with FileHeldError, for a caller that must not wait
// and keeps what it could not write for later.
enum class WhileHeld { kWait, kGiveUp };

// The end of a line in the system's text files: LF on Linux, CR LF on Windows.
extern const std::string_view kLineEnd;

// Appends `line` and the platform's line end to the file with a single write, so
// a line is either wholly in the file or not at all. Creates a missing file, on
// Linux readable by its owner only. Throws AppError with a description such as
// "Path not found", "Permission denied" or "Disk full".
void AppendLine(const std::filesystem::path& file, std::string_view line);

// The same for a record of a UTF-8 file, written as the bytes given (never
// converted to a code page); a new or empty file gets `header` and a line end
// first, in the same write, so a file never lacks its header. `record` may be
// several rows joined by line ends: they go out in that one write too.
void AppendRecord(const std::filesystem::path& file, std::string_view header,
                  std::string_view record, WhileHeld while_held = WhileHeld::kWait);

// Replaces the whole content of the file with `bytes`. A symbolic link or any other
// file standing at that path is replaced, never written through. Throws AppError.
void ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

// Writes `bytes` to the file's name with ".tmp" added, in the same folder, and
// renames that over the file, so a reader finds either the old file or the new
// one whole, never a part. The file is readable by other users: a collector
// running under an account of its own reads it. On Windows the rename is retried
// for about a second while a reader holds the file open. Throws AppError.
void PublishFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace quorvane
