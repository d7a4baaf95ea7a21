#pragma once

#include <filesystem>
#include <string>

#include "platform/StartupEntry.h"

namespace quorvane {

// The text of a desktop entry that starts `program` at login. Throws AppError for
// a path that no desktop entry can express (a control character in it).
std::string AutostartDesktopEntry(const std::filesystem::path& program);

// The user's XDG autostart folder: $XDG_CONFIG_HOME/autostart, ~/.config/autostart.
std::filesystem::path UserAutostartFolder();

// Starting at login through an XDG autostart entry, "quorvane.desktop".
class XdgAutostartEntry : public StartupEntry {
 public:
  XdgAutostartEntry(std::filesystem::path program, std::filesystem::path autostart_folder);

  std::string Add() override;
  void Remove() override;
  // The entry is there and starts this program.
  bool Exists() const override;

  std::filesystem::path file() const { return folder_ / "quorvane.desktop"; }

 private:
  std::filesystem::path program_;
  std::filesystem::path folder_;
};

}  // namespace quorvane
