#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/StartupEntry.h"

namespace quorvane {

// Starting at logon through a value under a Run key: the executable's file name
// as the value name, its quoted full path as the data. The machine-wide key is
// used when only administrators can replace the program and the key may be
// written, otherwise the user's own; never both, since Windows would run both.
class RunKeyStartupEntry : public StartupEntry {
 public:
  // Whether the program may start at every user's logon; by default decided on
  // its real path, its volume and its access lists.
  using ForAllUsers = std::function<bool(const std::filesystem::path& program)>;

  explicit RunKeyStartupEntry(std::filesystem::path program, ForAllUsers for_all_users = {});

  std::string Add() override;
  // Removes the values that start this copy; a value of the same name that starts
  // another copy is left alone.
  void Remove() override;
  // A value of this name, in either Run key, that starts this program.
  bool Exists() const override;
  std::string Recheck() override;

  // The value name and data the entry is made of.
  std::wstring value_name() const;
  std::wstring value_data() const;

  static constexpr const wchar_t* kRunKey = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

 protected:
  // Each change to one key, on its own so that a key this user may not change
  // can be stood in for (Wine lets anyone write the machine's).
  virtual LSTATUS RemoveFrom(HKEY hive) const;
  virtual LSTATUS WriteTo(HKEY hive) const;

 private:
  bool NamesThisCopy(HKEY hive) const;

  std::filesystem::path program_;
  ForAllUsers for_all_users_;
};

}  // namespace quorvane
