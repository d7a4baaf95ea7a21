#include "platform/windows/RunKeyStartupEntry.h"

#include "platform/AppError.h"
#include "platform/windows/FileSecurity.h"
#include "platform/windows/WideText.h"
#include "settings/StartupScope.h"

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

}  // namespace

RunKeyStartupEntry::RunKeyStartupEntry(std::filesystem::path program)
    : program_(std::move(program)) {}

std::wstring RunKeyStartupEntry::value_name() const { return program_.filename().wstring(); }

std::wstring RunKeyStartupEntry::value_data() const { return L"\"" + program_.wstring() + L"\""; }

void RunKeyStartupEntry::Add() {
  const std::wstring name = value_name();
  const std::wstring data = value_data();
  const auto write = [&](HKEY key) {
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  };
  // All users only when nobody but administrators can replace the program, and
  // when permitted; otherwise the user gets an entry of their own, and an entry
  // for all users that starts this replaceable copy goes.
  if (OnlyAdministratorsMayReplace(SecurityUpToTheRoot(program_))) {
    if (WithRunKey(HKEY_LOCAL_MACHINE, write) == ERROR_SUCCESS) return;
  } else {
    WithRunKey(HKEY_LOCAL_MACHINE, [&](HKEY key) {
      std::wstring stored(32767, L'\0');
      DWORD bytes = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
      if (RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, stored.data(), &bytes) ==
              ERROR_SUCCESS &&
          SamePath(stored.c_str(), data))
        return RegDeleteValueW(key, name.c_str());
      return LSTATUS{ERROR_SUCCESS};
    });
  }
  const LSTATUS status = WithRunKey(HKEY_CURRENT_USER, write);
  if (status != ERROR_SUCCESS)
    throw AppError("No Run key could be written: " +
                   SystemMessage(static_cast<unsigned long>(status)));
}

void RunKeyStartupEntry::Remove() {
  const std::wstring name = value_name();
  const auto remove = [&](HKEY key) { return RegDeleteValueW(key, name.c_str()); };
  const LSTATUS machine = WithRunKey(HKEY_LOCAL_MACHINE, remove);
  const LSTATUS user = WithRunKey(HKEY_CURRENT_USER, remove);
  // An entry for all users stays when a user without the rights unticks the box.
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    if (RegGetValueW(hive, kRunKey, name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      continue;
    const LSTATUS status = hive == HKEY_LOCAL_MACHINE ? machine : user;
    throw AppError("The Run value " + Narrow(name) +
                   " could not be removed: " + SystemMessage(static_cast<unsigned long>(status)));
  }
}

bool RunKeyStartupEntry::Exists() const {
  const std::wstring name = value_name();
  const std::wstring data = value_data();
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::wstring stored(32768, L'\0');  // the longest path, quoted
    DWORD size = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
    if (RegGetValueW(hive, kRunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, stored.data(), &size) !=
        ERROR_SUCCESS)
      continue;
    if (SamePath(stored.c_str(), data)) return true;
  }
  return false;
}

}  // namespace quorvane
