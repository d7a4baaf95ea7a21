#pragma once

#include <stdexcept>
#include <string>

namespace quorvane {

// A failure that reaches the user through the error report box. Its text is the
// description shown there, so it must read well on its own.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Descriptions of the classic runtime errors, kept word for word because users
// search for them and older screenshots show them.
namespace error_text {
inline constexpr const char* kInvalidArgument = "Invalid procedure call or argument";
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kPathNotFound = "Path not found";
inline constexpr const char* kPermissionDenied = "Permission denied";
inline constexpr const char* kPathFileAccess = "Path/File access error";
inline constexpr const char* kDiskFull = "Disk full";
inline constexpr const char* kDeviceIo = "Device I/O error";
}  // namespace error_text

}  // namespace quorvane
