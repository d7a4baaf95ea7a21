#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace quorvane::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  explicit TempDir(std::string_view name_suffix = "") {
    std::random_device random;
    do {
      root_ = std::filesystem::temp_directory_path() /
              ("quorvane-test-" + std::to_string(random()) + std::to_string(random()));
    } while (!std::filesystem::create_directory(root_));
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    path_ = root_;
    if (!name_suffix.empty()) {
      path_ /= std::filesystem::u8path(name_suffix);
      std::filesystem::create_directories(path_);
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path root_;
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Fixture(std::string_view relative_path) {
  return ReadFile(std::filesystem::path(QUORVANE_FIXTURES_DIR) / relative_path);
}

}  // namespace quorvane::testing
