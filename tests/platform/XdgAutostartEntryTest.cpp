#include "platform/linux/XdgAutostartEntry.h"

#include <sys/stat.h>

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// desktop-file-validate's verdict on the file; empty when it is valid.
std::string Validate(const std::filesystem::path& file) {
  QProcess validator;
  validator.setProcessChannelMode(QProcess::MergedChannels);
  validator.start(QStringLiteral("desktop-file-validate"), {QString::fromStdString(file.string())});
  if (!validator.waitForFinished(10000)) return "desktop-file-validate did not run";
  const std::string output = validator.readAll().toStdString();
  return validator.exitCode() == 0 && output.empty()
             ? ""
             : output + "(exit code " + std::to_string(validator.exitCode()) + ")";
}

// Runs the Exec line the way a desktop's launcher would: unquote, then run. Here
// the program is a script that records the path it was started as.
std::string StartedAs(const std::string& entry, const TempDir& dir) {
  const auto exec_at = entry.find("Exec=");
  std::string value = entry.substr(exec_at + 5, entry.find('\n', exec_at) - exec_at - 5);
  // String-value unescaping, then field codes, then the quoting rules.
  std::string unescaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size())
      unescaped += value[++i] == '\\' ? '\\' : value[i];
    else if (value[i] == '%' && i + 1 < value.size() && value[i + 1] == '%')
      unescaped += value[++i];
    else
      unescaped += value[i];
  }
  EXPECT_EQ(unescaped.front(), '"');
  EXPECT_EQ(unescaped.back(), '"');
  std::string program;
  for (std::size_t i = 1; i + 1 < unescaped.size(); ++i) {
    if (unescaped[i] == '\\') ++i;
    program += unescaped[i];
  }
  QProcess process;
  process.start(QString::fromStdString(program), {});
  process.waitForFinished(10000);
  return ReadFile(dir / "started-as");
}

TEST(XdgAutostartEntry, WritesAValidEntryThatStartsExactlyThisProgram) {
  TempDir dir;
  for (const std::string name :
       {"quorvane", "my programs/quor vane", "odd \"quoted\" $HOME %u `id` \\back\\slash 'it'"}) {
    const auto program = dir / "bin" / name;
    std::filesystem::create_directories(program.parent_path());
    WriteFile(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + (dir / "started-as").string() + "'\n");
    ::chmod(program.c_str(), 0755);

    XdgAutostartEntry entry(program, dir / "config/autostart");
    entry.Add();
    ASSERT_TRUE(std::filesystem::exists(dir / "config/autostart/quorvane.desktop")) << name;
    EXPECT_EQ(Validate(entry.file()), "") << name;
    EXPECT_EQ(StartedAs(ReadFile(entry.file()), dir), program.string()) << name;
    EXPECT_TRUE(entry.Exists()) << name;
    // An entry that starts another program is not this program's.
    EXPECT_FALSE(XdgAutostartEntry(dir / "elsewhere", dir / "config/autostart").Exists());

    entry.Remove();
    EXPECT_FALSE(std::filesystem::exists(entry.file()));
    EXPECT_FALSE(entry.Exists());
    EXPECT_NO_THROW(entry.Remove());
  }
}

TEST(XdgAutostartEntry, RefusesAPathNoEntryCanHold) {
  EXPECT_THROW(AutostartDesktopEntry("/opt/new\nline/quorvane"), AppError);
}

TEST(XdgAutostartEntry, UsesTheUsersAutostartFolder) {
  ::setenv("XDG_CONFIG_HOME", "/home/ann/.cfg", 1);
  EXPECT_EQ(UserAutostartFolder(), std::filesystem::path("/home/ann/.cfg/autostart"));
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  ::setenv("HOME", "/home/bob", 1);
  EXPECT_EQ(UserAutostartFolder(), std::filesystem::path("/home/bob/.config/autostart"));
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace quorvane
