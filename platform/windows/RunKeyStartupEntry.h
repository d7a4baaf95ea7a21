#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/StartupEntry.h"

namespace quorvane {

// Starting at logon through a value under a Run key: the executable's file name
// as the value name, its quoted full path as the data. The machine-wide key is
// used when only administrators can replace the program and the key may be
// written, otherwise the user's own.
class RunKeyStartupEntry : public StartupEntry {
 public:
  explicit RunKeyStartupEntry(std::filesystem::path program);

  void Add() override;
  void Remove() override;
  // A value of this name, in either Run key, that starts this program.
  bool Exists() const override;

  // The value name and data the entry is made of.
  std::wstring value_name() const;
  std::wstring value_data() const;

  static constexpr const wchar_t* kRunKey = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

 private:
  std::filesystem::path program_;
};

}  // namespace quorvane
