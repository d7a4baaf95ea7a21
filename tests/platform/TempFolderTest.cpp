#include "platform/TempFolder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

// Sets environment variables for one test and puts the old values back.
class EnvironmentGuard {
 public:
  ~EnvironmentGuard() {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }
  void Set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value)
      ::setenv(name.c_str(), value, 1);
    else
      ::unsetenv(name.c_str());
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(TempFolder, IsTempWhenSet) {
  EnvironmentGuard environment;
  environment.Set("TEMP", "/some where/with blanks");
  EXPECT_EQ(TempFolder(), std::filesystem::path("/some where/with blanks"));
}

TEST(TempFolder, FallsBackToAnOwnerOnlyStateFolder) {
  testing::TempDir home;
  EnvironmentGuard environment;
  environment.Set("TEMP", "");
  environment.Set("HOME", home.path().c_str());
  environment.Set("XDG_STATE_HOME", nullptr);
  const auto expected = home / ".local/state/quorvane";
  EXPECT_EQ(TempFolder(), expected);
  struct stat info {};
  ASSERT_EQ(::stat(expected.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  environment.Set("XDG_STATE_HOME", (home / "state").c_str());
  EXPECT_EQ(TempFolder(), home / "state/quorvane");
  // A relative XDG_STATE_HOME is not valid and is ignored.
  environment.Set("XDG_STATE_HOME", "relative/state");
  EXPECT_EQ(TempFolder(), expected);
}

}  // namespace
}  // namespace quorvane
