#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/AppError.h"
#include "platform/SettingsStore.h"
#include "platform/StartupEntry.h"

namespace quorvane::testing {

class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  bool refuse_saves = false;
  int saves = 0;
  std::string unreadable_backup;  // set aside at start

  std::optional<std::string> Get(std::string_view key) const override {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void Save(std::string_view key, std::string_view value) override {
    if (refuse_saves) throw AppError("Permission denied");
    ++saves;
    values[std::string(key)] = std::string(value);
  }
  std::string UnreadableBackup() const override { return unreadable_backup; }
};

class FakeStartupEntry : public StartupEntry {
 public:
  int adds = 0;
  int removes = 0;
  bool refuse = false;          // no entry can be written
  bool refuse_removal = false;  // the entry cannot be removed
  bool exists = false;
  std::string recheck_message;  // what the start-up check tells, once
  std::string add_message;      // what adding tells: another's entry was kept

  std::string Add() override {
    if (refuse) throw AppError("Permission denied");
    ++adds;
    exists = true;
    return add_message;
  }
  void Remove() override {
    if (refuse_removal) throw AppError("Permission denied");
    ++removes;
    exists = false;
  }
  bool Exists() const override { return exists; }
  std::string Recheck() override { return std::exchange(recheck_message, {}); }
};

}  // namespace quorvane::testing
