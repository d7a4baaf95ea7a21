#include <cerrno>
#include <system_error>

#include "base/PathText.h"
#include "report/LogFile.h"
#include "report/Report.h"

namespace quorvane::report {

LogFile::LogFile(const std::filesystem::path& path) : path_(path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw ReportError("Cannot read " + PathText(path) + ": it is a folder");
  errno = 0;
  if (!file_.open(path, std::ios::in | std::ios::binary)) {
    const int reason = errno != 0 ? errno : ENOENT;
    throw ReportError("Cannot read " + PathText(path) + ": " +
                      std::generic_category().message(reason));
  }
}

std::size_t LogFile::Read(char* buffer, std::size_t size) {
  return static_cast<std::size_t>(file_.sgetn(buffer, static_cast<std::streamsize>(size)));
}

void LogFile::Rewind() { file_.pubseekpos(0, std::ios::in); }

}  // namespace quorvane::report
