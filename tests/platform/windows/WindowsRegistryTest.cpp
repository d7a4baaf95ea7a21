#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/ProcessToolRunner.h"
#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/RunKeyStartupEntry.h"
#include "settings/Settings.h"
#include "tests/fakes/TempDir.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;

std::optional<std::wstring> RegistryText(HKEY hive, const wchar_t* key, const std::wstring& name) {
  wchar_t value[1024];
  DWORD bytes = sizeof value;
  if (RegGetValueW(hive, key, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

// What another process reads from the store.
std::string ReadByAnotherProcess(const std::string& key) {
  TempDir dir;
  ProcessToolRunner runner;
  runner.RunToFile({SETTINGS_PROBE, {key}}, dir / "value.txt", std::chrono::seconds(30));
  return ReadFile(dir / "value.txt");
}

TEST(WindowsSettings, AreStoredWhereTheClassicStoreKeepsThem) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brindlewick");
  RegistrySettingsStore store;
  EXPECT_EQ(GetSetting(store, setting::kOftenIndex), "2");
  EXPECT_EQ(store.Get("Windows Startup"), std::nullopt);
  SaveSetting(store, setting::kWindowsStartup, "On");
  SaveSetting(store, setting::kOftenIndex, "12");
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER,
                         L"Software\\VB and VBA Program Settings\\Brindlewick\\Quorvane",
                         L"Windows Startup"),
            std::optional<std::wstring>(L"On"));
  EXPECT_EQ(ReadByAnotherProcess("OftenIndex"), "12");
  EXPECT_EQ(ReadByAnotherProcess("Windows Startup"), "On");
  EXPECT_EQ(RegistrySettingsStore().Get("OftenIndex"), std::optional<std::string>("12"));
}

TEST(WindowsStartupEntry, WritesTheQuotedPathAndRemovesItFromBothKeys) {
  RunKeyStartupEntry entry(L"C:\\Program Files\\Quorvane & Co\\quorvane-test.exe");
  EXPECT_EQ(entry.value_name(), L"quorvane-test.exe");
  EXPECT_EQ(entry.value_data(), L"\"C:\\Program Files\\Quorvane & Co\\quorvane-test.exe\"");
  entry.Add();
  const auto machine =
      RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe");
  const auto user =
      RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe");
  ASSERT_TRUE(machine || user);
  EXPECT_EQ(machine ? *machine : *user, entry.value_data());
  EXPECT_TRUE(entry.Exists());
  // A program of the same name elsewhere is not this one.
  EXPECT_FALSE(RunKeyStartupEntry(L"C:\\Other\\quorvane-test.exe").Exists());

  entry.Remove();
  EXPECT_FALSE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_FALSE(entry.Exists());
  entry.Remove();  // removing again changes nothing
}

// Wine lets anyone write HKLM, as an elevated Windows program may.
TEST(WindowsStartupEntry, AProgramItsUserMayReplaceStartsForThatUserOnly) {
  TempDir dir;
  const auto program = dir / "quorvane-test.exe";
  { std::ofstream(program) << "MZ"; }
  RunKeyStartupEntry entry(program);
  const std::wstring data = entry.value_data();
  // A machine-wide value that an earlier version wrote for this copy goes too,
  // however its path was spelt.
  std::wstring spelt = data;
  CharUpperW(spelt.data());
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe", REG_SZ,
                  spelt.c_str(), static_cast<DWORD>((spelt.size() + 1) * sizeof(wchar_t)));
  entry.Add();
  EXPECT_FALSE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"),
            std::optional<std::wstring>(data));
  entry.Remove();
}

// At each start, a machine-wide value for a copy that no longer qualifies (its
// folder loosened, a junction put on the way) becomes the user's own, told once;
// a qualifying copy's value stays. Whether it qualifies is the seam here: Wine
// has neither junctions nor Windows' access lists.
TEST(WindowsStartupEntry, AtStartAMachineWideValueThatNoLongerQualifiesMovesToTheUser) {
  const std::filesystem::path program = L"C:\\Program Files\\Quorvane\\quorvane-test.exe";
  bool qualifies = true;
  RunKeyStartupEntry entry(program, [&](const std::filesystem::path&) { return qualifies; });
  entry.Add();
  ASSERT_TRUE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_EQ(entry.Recheck(), "");
  EXPECT_TRUE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));

  qualifies = false;
  EXPECT_NE(entry.Recheck(), "");
  EXPECT_FALSE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"),
            std::optional<std::wstring>(entry.value_data()));
  EXPECT_EQ(entry.Recheck(), "");  // told once
  entry.Remove();
}

// A user who may not change the Run key for all users, where an administrator
// already set this copy's value: Wine lets anyone write it, so the entry stands
// in for that key.
class MachineKeyReadOnly : public RunKeyStartupEntry {
 public:
  using RunKeyStartupEntry::RunKeyStartupEntry;

 protected:
  LSTATUS RemoveFrom(HKEY hive) const override {
    return hive == HKEY_LOCAL_MACHINE ? ERROR_ACCESS_DENIED : RunKeyStartupEntry::RemoveFrom(hive);
  }
  LSTATUS WriteTo(HKEY hive) const override {
    return hive == HKEY_LOCAL_MACHINE ? ERROR_ACCESS_DENIED : RunKeyStartupEntry::WriteTo(hive);
  }
};

// Windows runs both Run keys' values at logon: ticking the box leaves one.
TEST(WindowsStartupEntry, TickingNeverLeavesAValueInBothKeys) {
  const std::filesystem::path program = L"C:\\Program Files\\Quorvane\\quorvane-test.exe";
  const auto for_all = [](const std::filesystem::path&) { return true; };
  RunKeyStartupEntry entry(program, for_all);
  const std::wstring data = entry.value_data();
  const auto set_user_value = [&] {
    RegSetKeyValueW(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe", REG_SZ,
                    data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  };
  // Written for all users: the user's own value, from before, goes.
  set_user_value();
  EXPECT_EQ(entry.Add(), "");
  EXPECT_TRUE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));

  // Another user, who may not write that key: no value of their own, and told so.
  MachineKeyReadOnly other(program, for_all);
  set_user_value();
  EXPECT_NE(other.Add(), "");
  EXPECT_TRUE(RegistryText(HKEY_LOCAL_MACHINE, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"));
  EXPECT_TRUE(other.Exists());
  entry.Remove();
}

// Removing the entry leaves a value of the same name that starts another copy.
TEST(WindowsStartupEntry, RemovesOnlyAValueThatStartsThisCopy) {
  const std::wstring other = L"\"D:\\Other\\quorvane-test.exe\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe", REG_SZ,
                  other.c_str(), static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
  RunKeyStartupEntry(L"C:\\Program Files\\Quorvane\\quorvane-test.exe").Remove();
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe"),
            std::optional<std::wstring>(other));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKeyStartupEntry::kRunKey, L"quorvane-test.exe");
}

}  // namespace
}  // namespace quorvane
