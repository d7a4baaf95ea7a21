#pragma once

#include <QString>

namespace quorvane {

// What the window asks of the desktop: opening files and addresses in the user's
// own applications, without waiting for them.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Opens the file in the user's plain-text application. Throws AppError.
  virtual void OpenTextFile(const QString& path) = 0;
  // Opens the address in the web browser. Throws AppError.
  virtual void OpenUrl(const QString& url) = 0;
};

// The desktop through QDesktopServices.
class SystemDesktop : public Desktop {
 public:
  void OpenTextFile(const QString& path) override;
  void OpenUrl(const QString& url) override;
};

}  // namespace quorvane
