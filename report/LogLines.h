#pragma once

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

namespace quorvane::report {

// An open log file, read in large blocks.
class LogFile {
 public:
  // Throws ReportError naming the file and the reason.
  explicit LogFile(const std::filesystem::path& path);

  // Up to `size` bytes into `buffer`; 0 at the end.
  std::size_t Read(char* buffer, std::size_t size);
  void Rewind();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filebuf file_;
};

inline constexpr std::size_t kBlockSize = std::size_t{1} << 22;  // 4 MB

// Calls on_line(std::string_view) for each line of the file, without its line end
// (LF or CR LF); a last line without one (cut short) too. A byte order mark is
// skipped. A line longer than a block is handed over cut to the block's length:
// no history line is anywhere near that long, so it is read as unreadable.
template <typename OnLine>
void ForEachLine(LogFile& file, OnLine&& on_line) {
  std::unique_ptr<char[]> buffer(new char[kBlockSize]);
  std::size_t kept = 0;  // the start of a line carried over from the last block
  bool first = true;
  bool skipping = false;  // the rest of an overlong line
  for (;;) {
    const std::size_t got = file.Read(buffer.get() + kept, kBlockSize - kept);
    std::size_t end = kept + got;
    const char* data = buffer.get();
    std::size_t start = 0;
    if (first && end >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) start = 3;
    first = false;
    if (got == 0) {
      if (start < end && !skipping) {
        std::size_t length = end - start;
        if (data[start + length - 1] == '\r') --length;
        on_line(std::string_view(data + start, length));
      }
      return;
    }
    for (;;) {
      const void* newline = std::memchr(data + start, '\n', end - start);
      if (!newline) break;
      const std::size_t at = static_cast<const char*>(newline) - data;
      std::size_t length = at - start;
      if (length > 0 && data[at - 1] == '\r') --length;
      if (!skipping) on_line(std::string_view(data + start, length));
      skipping = false;
      start = at + 1;
    }
    kept = end - start;
    if (kept == kBlockSize) {  // a block without a line end
      if (!skipping) on_line(std::string_view(data, kept));
      skipping = true;
      kept = 0;
    } else if (kept > 0) {
      std::memmove(buffer.get(), data + start, kept);
    }
  }
}

}  // namespace quorvane::report
