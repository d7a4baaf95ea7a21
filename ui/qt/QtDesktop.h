#pragma once

#include "window/Form1View.h"

namespace quorvane {

// The user's own applications through the desktop's opener, and Qt's clipboard.
class QtDesktop : public Desktop {
 public:
  void OpenTextFile(const std::filesystem::path& file, Failed failed) override;
  void OpenUrlInBackground(const std::string& url, Failed failed) override;
  void OpenInBrowser(const std::filesystem::path& file, Failed failed) override;
  void CopyText(std::string text) override;
};

}  // namespace quorvane
