#include "platform/TempFolder.h"

#include "platform/JournalFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace quorvane {
namespace {

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

// The XDG base directory for state that should survive a restart.
std::filesystem::path StateHome() {
  const char* state = std::getenv("XDG_STATE_HOME");
  // Relative values are invalid by the XDG rules and are ignored.
  if (state && *state == '/') return state;
  return HomeFolder() / ".local" / "state";
}

// The XDG base directory for the user's own data.
std::filesystem::path DataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return data;
  return HomeFolder() / ".local" / "share";
}

}  // namespace

std::filesystem::path TempFolder() {
  if (const char* temp = std::getenv("TEMP"); temp && *temp) return temp;
  // /tmp is shared between users and emptied at boot on many systems; the history
  // must survive both, so it goes to the user's own state folder.
  const auto folder = StateHome() / "quorvane";
  std::error_code error;
  if (std::filesystem::create_directories(folder, error)) ::chmod(folder.c_str(), 0700);
  return folder;
}

std::filesystem::path JournalFolder() { return DataHome() / "quorvane" / "journal"; }

}  // namespace quorvane
