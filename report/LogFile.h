#pragma once

#include <filesystem>
#include <fstream>

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

}  // namespace quorvane::report
