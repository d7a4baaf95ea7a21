#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace quorvane {

// The history log file in the given TEMP folder, named after the product.
std::filesystem::path LogFilePath(const std::filesystem::path& temp_folder);

// The clock's reading as the user's short date and long time; at exactly midnight
// only the date.
std::string DateTimeText(const Clock& clock, const LocalDateTime& when);

// "<date-time text> WiFi Signal Strength is <value text>".
std::string ComposeHistoryLine(std::string_view date_time_text, std::string_view value_text);

// Appends one history line to the log file. Throws AppError naming the file.
void AppendToLog(const std::filesystem::path& log_file, std::string_view line);

}  // namespace quorvane
