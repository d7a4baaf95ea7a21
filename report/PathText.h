#pragma once

#include <filesystem>
#include <string>

namespace quorvane::report {

// A path as UTF-8 text, whatever the platform's own encoding of paths.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The path of UTF-8 text, such as a stored setting.
inline std::filesystem::path PathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// One decimal, with a point whatever the locale: "63.5".
std::string OneDecimal(double value);

}  // namespace quorvane::report
