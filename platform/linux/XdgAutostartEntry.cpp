#include "platform/linux/XdgAutostartEntry.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/AppError.h"
#include "platform/Files.h"

namespace quorvane {
namespace {

// Quotes one argument of an Exec key. Inside double quotes the characters
// " ` $ \ take a backslash; then the whole value is escaped as a string value
// (each backslash doubled), and "%" is doubled since it introduces field codes.
std::string ExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      throw AppError("The program's path holds a control character, so it cannot start at login");
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (const char c : quoted) {
    if (c == '\\')
      value += "\\\\";
    else if (c == '%')
      value += "%%";
    else
      value += c;
  }
  return value;
}

}  // namespace

std::string AutostartDesktopEntry(const std::filesystem::path& program) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Quorvane\n"
         "Comment=Records the WiFi signal strength over time\n"
         "Exec=" +
         ExecArgument(program.string()) +
         "\n"
         "Icon=quorvane\n"
         "Terminal=false\n"
         "Categories=Network;Monitor;\n";
}

std::filesystem::path UserAutostartFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::filesystem::path(config) / "autostart";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : "/") / ".config" / "autostart";
}

XdgAutostartEntry::XdgAutostartEntry(std::filesystem::path program,
                                     std::filesystem::path autostart_folder)
    : program_(std::move(program)), folder_(std::move(autostart_folder)) {}

std::string XdgAutostartEntry::Add() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  ReplaceFileContents(file(), AutostartDesktopEntry(program_));
  return {};
}

void XdgAutostartEntry::Remove() {
  std::error_code error;
  std::filesystem::remove(file(), error);
  if (error && std::filesystem::exists(std::filesystem::symlink_status(file())))
    throw AppError("The entry " + file().string() + " could not be removed: " + error.message());
}

bool XdgAutostartEntry::Exists() const {
  std::ifstream in(file(), std::ios::binary);
  const std::string entry{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    return entry.find("\nExec=" + ExecArgument(program_.string()) + "\n") != std::string::npos;
  } catch (const AppError&) {
    return false;  // a path that no entry can name
  }
}

}  // namespace quorvane
