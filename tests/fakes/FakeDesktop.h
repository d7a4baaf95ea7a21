#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/AppError.h"
#include "window/Form1View.h"

namespace quorvane::testing {

// Records what the window asks the desktop to open, and keeps a clipboard.
class FakeDesktop : public Desktop {
 public:
  std::vector<std::filesystem::path> text_files;
  std::vector<std::string> urls;
  std::vector<std::filesystem::path> browsed_files;
  std::string clipboard = "unchanged";
  bool refuse = false;  // no application to open files with

  // How the last opener reports a failure found after it started.
  Failed opener_failed;

  void OpenTextFile(const std::filesystem::path& file, Failed failed) override {
    if (refuse) throw AppError("No application is set to open text files");
    text_files.push_back(file);
    opener_failed = std::move(failed);
  }
  void OpenUrlInBackground(const std::string& url, Failed failed) override {
    urls.push_back(url);
    opener_failed = std::move(failed);
  }
  void OpenInBrowser(const std::filesystem::path& file, Failed failed) override {
    if (refuse) throw AppError("No web browser was found");
    browsed_files.push_back(file);
    opener_failed = std::move(failed);
  }
  void CopyText(std::string text) override { clipboard = std::move(text); }
};

}  // namespace quorvane::testing
