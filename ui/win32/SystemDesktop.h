#pragma once

#include <windows.h>

#include "window/Form1View.h"

namespace quorvane::win32 {

// Notepad for the history log, the browser for web pages, and the clipboard.
class SystemDesktop : public Desktop {
 public:
  // The clipboard is taken in the name of `owner`.
  explicit SystemDesktop(HWND owner) : owner_(owner) {}

  // Notepad from the system folder with the quoted path, started without a shell.
  void OpenTextFile(const std::filesystem::path& file, Failed failed) override;
  // The default browser, minimised and not activated where the shell allows it.
  void OpenUrlInBackground(const std::string& url, Failed failed) override;
  // The program the shell opens .html files with, in a normal window.
  void OpenInBrowser(const std::filesystem::path& file, Failed failed) override;
  // The ANSI text of the history log, as Unicode text.
  void CopyText(std::string text) override;

 private:
  HWND owner_;
};

}  // namespace quorvane::win32
