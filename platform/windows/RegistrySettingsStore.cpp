#include "platform/windows/RegistrySettingsStore.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/windows/WideText.h"

namespace quorvane {

RegistrySettingsStore::RegistrySettingsStore()
    : RegistrySettingsStore(L"Software\\VB and VBA Program Settings\\Brindlewick\\Quorvane") {}

RegistrySettingsStore::RegistrySettingsStore(std::wstring key) : key_(std::move(key)) {}

std::optional<std::string> RegistrySettingsStore::Get(std::string_view key) const {
  const std::wstring name = Widen(key);
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                   value.data(), &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return Narrow(value);
}

void RegistrySettingsStore::Save(std::string_view key, std::string_view value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) {
    const std::wstring name = Widen(key);
    const std::wstring data = Widen(value);
    status =
        RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  if (status != ERROR_SUCCESS)
    throw AppError("The settings could not be saved: " +
                   SystemMessage(static_cast<unsigned long>(status)));
}

}  // namespace quorvane
