#pragma once

#include <windows.h>

#include <string>

#include "window/Dialogs.h"

namespace quorvane::win32 {

// The program's message boxes, MessageBoxW, modal to the main window.
class MessageBoxDialogs : public Dialogs {
 public:
  void set_owner(HWND owner) { owner_ = owner; }

  void SetAppTitle(const std::string& title) override;
  void ReportError(const ErrorReport& report) override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Warn(const std::string& text) override;
  // SaveFileDialog.cpp
  std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) override;

 private:
  int Show(const std::string& text, const std::wstring& title, UINT type) const;

  HWND owner_ = nullptr;
  std::wstring app_title_ = L"Quorvane";
};

}  // namespace quorvane::win32
