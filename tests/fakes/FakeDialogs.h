#pragma once

#include <string>
#include <vector>

#include "platform/AppError.h"
#include "ui/Desktop.h"
#include "ui/Dialogs.h"

namespace quorvane::testing {

// Records every message box and answers confirmations as told.
class FakeDialogs : public Dialogs {
 public:
  std::vector<ErrorReport> errors;
  std::vector<std::string> informations;
  std::vector<std::string> confirmations;
  std::vector<std::string> warnings;
  bool answer_yes = true;

  void ReportError(const ErrorReport& report) override { errors.push_back(report); }
  void Inform(const std::string& text) override { informations.push_back(text); }
  bool Confirm(const std::string& text) override {
    confirmations.push_back(text);
    return answer_yes;
  }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  bool silent() const {
    return errors.empty() && informations.empty() && confirmations.empty() && warnings.empty();
  }
};

// Records what the window asks the desktop to open.
class FakeDesktop : public Desktop {
 public:
  std::vector<QString> text_files;
  std::vector<QString> urls;
  bool refuse = false;

  void OpenTextFile(const QString& path) override {
    if (refuse) throw AppError("No application to show text files was found");
    text_files.push_back(path);
  }
  void OpenUrl(const QString& url) override { urls.push_back(url); }
};

}  // namespace quorvane::testing
