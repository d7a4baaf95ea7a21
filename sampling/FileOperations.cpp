#include "sampling/FileOperations.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/PathText.h"
#include "platform/AppError.h"

namespace quorvane {

std::string NamingFile(std::string_view description, const std::filesystem::path& file) {
  return std::string(description) + ": " + PathText(file);
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  static_cast<void>(std::filesystem::last_write_time(path, error));
  return !error;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  if (!FileExists(path)) return "";
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw AppError(NamingFile(error_text::kPathFileAccess, path));
  if (size == 0) return "";
  std::ifstream in(path, std::ios::binary);
  if (!in) throw AppError(NamingFile(error_text::kPermissionDenied, path));
  // One read of the size found, straight into the string; a file that grew in
  // the meantime is read on to its end.
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in) {
    char more[4096];
    while (in.read(more, sizeof more) || in.gcount() > 0)
      bytes.append(more, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw AppError(NamingFile(error_text::kDeviceIo, path));
  return bytes;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::string bytes = ReadFileBytes(path);
  if (bytes.empty() && FileExists(path)) return "empty file";
  return bytes;
}

void DeleteFileQuietly(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::remove(path, error) || !error) return;
  // A read-only file refuses plain deletion on some systems: clear the flag, retry.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove(path, error);
}

}  // namespace quorvane
