#include "platform/windows/RunKeyStartupEntry.h"

#include "platform/AppError.h"
#include "platform/portable/StartupScope.h"
#include "platform/windows/FileSecurity.h"
#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

// Query value, set value, create subkey, enumerate, notify, create link.
constexpr REGSAM kRunKeyAccess = 0x3F;

// Opens an existing Run key (it is never created) and applies `change` to it.
template <typename Change>
LSTATUS WithRunKey(HKEY hive, Change&& change) {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(hive, RunKeyStartupEntry::kRunKey, 0, kRunKeyAccess, &key);
  if (status != ERROR_SUCCESS) return status;
  status = change(key);
  RegCloseKey(key);
  return status;
}

// Paths on Windows do not tell case apart.
bool SamePath(const wchar_t* stored, const std::wstring& data) {
  return CompareStringOrdinal(stored, -1, data.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool OnlyAdministratorsMayReplaceItsRealPath(const std::filesystem::path& program) {
  const ProgramLocation location = LocationOf(program);
  return NamesTheCheckedPath(program, location.final_path) && MayStartForAllUsers(location);
}

}  // namespace

RunKeyStartupEntry::RunKeyStartupEntry(std::filesystem::path program, ForAllUsers for_all_users)
    : program_(std::move(program)),
      for_all_users_(for_all_users ? std::move(for_all_users)
                                   : OnlyAdministratorsMayReplaceItsRealPath) {}

std::wstring RunKeyStartupEntry::value_name() const { return program_.filename().wstring(); }

std::wstring RunKeyStartupEntry::value_data() const { return L"\"" + program_.wstring() + L"\""; }

bool RunKeyStartupEntry::NamesThisCopy(HKEY hive) const {
  std::wstring stored(32768, L'\0');  // the longest path, quoted
  DWORD size = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
  return RegGetValueW(hive, kRunKey, value_name().c_str(), RRF_RT_REG_SZ, nullptr, stored.data(),
                      &size) == ERROR_SUCCESS &&
         SamePath(stored.c_str(), value_data());
}

LSTATUS RunKeyStartupEntry::RemoveFrom(HKEY hive) const {
  if (!NamesThisCopy(hive)) return ERROR_SUCCESS;
  const std::wstring name = value_name();
  return WithRunKey(hive, [&](HKEY key) { return RegDeleteValueW(key, name.c_str()); });
}

LSTATUS RunKeyStartupEntry::WriteTo(HKEY hive) const {
  const std::wstring name = value_name();
  const std::wstring data = value_data();
  return WithRunKey(hive, [&](HKEY key) {
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  });
}

std::string RunKeyStartupEntry::Add() {
  // All users only when nobody but administrators can replace the program, and
  // when permitted; otherwise the user gets an entry of their own, and an entry
  // for all users that starts this replaceable copy goes.
  bool machine_written = false;
  if (for_all_users_(program_))
    machine_written = WriteTo(HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
  else
    RemoveFrom(HKEY_LOCAL_MACHINE);
  switch (UserStartupValueAfterTicking(machine_written, NamesThisCopy(HKEY_LOCAL_MACHINE))) {
    case UserStartupValue::kRemove:
      RemoveFrom(HKEY_CURRENT_USER);
      return {};
    case UserStartupValue::kRemoveAndTell:
      RemoveFrom(HKEY_CURRENT_USER);
      return "Quorvane already starts at every user's login, from the value " +
             Narrow(value_name()) +
             " an administrator set in the Run key for all users, which you may not change. No "
             "value of your own was added: Quorvane would start twice.";
    case UserStartupValue::kWrite:
      break;
  }
  const LSTATUS status = WriteTo(HKEY_CURRENT_USER);
  if (status != ERROR_SUCCESS)
    throw AppError("No Run key could be written: " +
                   SystemMessage(static_cast<unsigned long>(status)));
  return {};
}

void RunKeyStartupEntry::Remove() {
  // An entry for all users stays when a user without the rights unticks the box.
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const LSTATUS status = RemoveFrom(hive);
    if (!NamesThisCopy(hive)) continue;
    throw AppError("The Run value " + Narrow(value_name()) +
                   " could not be removed: " + SystemMessage(static_cast<unsigned long>(status)));
  }
}

bool RunKeyStartupEntry::Exists() const {
  return NamesThisCopy(HKEY_LOCAL_MACHINE) || NamesThisCopy(HKEY_CURRENT_USER);
}

std::string RunKeyStartupEntry::Recheck() {
  // The copy's folder may have changed hands since the entry was written (its
  // access list loosened, a folder on the way turned into a junction).
  if (!NamesThisCopy(HKEY_LOCAL_MACHINE) || for_all_users_(program_)) return {};
  // Told once: when the user's own entry is already there, an earlier start moved
  // it and told so, and only the machine-wide value could not go.
  const bool told_before = NamesThisCopy(HKEY_CURRENT_USER);
  const LSTATUS written = told_before ? ERROR_SUCCESS : WriteTo(HKEY_CURRENT_USER);
  const LSTATUS removed = RemoveFrom(HKEY_LOCAL_MACHINE);
  if (told_before) return {};
  std::string message = "Quorvane no longer starts for every user at login: the program at " +
                        Narrow(program_.wstring()) +
                        " is no longer where only administrators can change it.";
  if (written == ERROR_SUCCESS)
    message += " It now starts at your login only.";
  else
    message += " It could not be set to start at your login: " +
               SystemMessage(static_cast<unsigned long>(written));
  if (removed != ERROR_SUCCESS)
    message +=
        " An administrator must remove the value " + Narrow(value_name()) +
        " from the Run key for all users: " + SystemMessage(static_cast<unsigned long>(removed));
  return message;
}

}  // namespace quorvane
