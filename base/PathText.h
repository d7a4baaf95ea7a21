#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// A path as UTF-8 text, whatever the platform's own encoding of paths: for
// messages, settings and reports.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The path of UTF-8 text, such as a stored setting or an argument; on Windows a
// narrow string would otherwise be read in the ANSI code page.
inline std::filesystem::path PathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace quorvane
