#pragma once

#include "window/Form1View.h"

namespace quorvane {

// The user's own applications through QDesktopServices, and Qt's clipboard.
class QtDesktop : public Desktop {
 public:
  void OpenTextFile(const std::filesystem::path& file) override;
  void OpenUrlInBackground(const std::string& url) override;
  void CopyFileText(const std::filesystem::path& file) override;
};

}  // namespace quorvane
