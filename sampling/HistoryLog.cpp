#include "sampling/HistoryLog.h"

#include "base/ProductName.h"

#include "platform/AppError.h"
#include "platform/Files.h"
#include "sampling/FileNames.h"
#include "sampling/FileOperations.h"

namespace quorvane {

std::filesystem::path LogFilePath(const std::filesystem::path& temp_folder) {
  const std::string name = CleanFileName(StripTrailingWord(kProductName, "Software")) + ".txt";
  return temp_folder / name;
}

std::string DateTimeText(const Clock& clock, const LocalDateTime& when) {
  std::string text = clock.ShortDate(when);
  if (!when.IsMidnight()) {
    text += ' ';
    text += clock.LongTime(when);
  }
  return text;
}

std::string ComposeHistoryLine(std::string_view date_time_text, std::string_view value_text) {
  std::string line(date_time_text);
  line += " WiFi Signal Strength is ";
  line += value_text;
  return line;
}

void AppendToLog(const std::filesystem::path& log_file, std::string_view line) {
  try {
    AppendLine(log_file, line);
  } catch (const AppError& error) {
    throw AppError(NamingFile(error.what(), log_file));
  }
}

}  // namespace quorvane
