#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace quorvane {

// Settings as REG_SZ values under HKEY_CURRENT_USER, in the key where the classic
// GetSetting and SaveSetting keep them ("Software\VB and VBA Program
// Settings\Brindlewick\Quorvane"), so choices stored there carry over.
class RegistrySettingsStore : public SettingsStore {
 public:
  RegistrySettingsStore();
  explicit RegistrySettingsStore(std::wstring key);  // for tests

  std::optional<std::string> Get(std::string_view key) const override;
  void Save(std::string_view key, std::string_view value) override;

 private:
  std::wstring key_;
};

}  // namespace quorvane
