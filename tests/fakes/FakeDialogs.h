#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "window/Dialogs.h"

namespace quorvane::testing {

// Records every message box and answers confirmations as told.
class FakeDialogs : public Dialogs {
 public:
  std::string app_title;
  std::vector<ErrorReport> errors;
  std::vector<std::string> informations;
  std::vector<std::string> confirmations;
  std::vector<std::string> warnings;
  bool answer_yes = true;
  std::vector<SaveFileQuestion> save_questions;
  std::optional<std::filesystem::path> save_answer;  // nothing: the user cancels
  // Runs while a box is open, as the program's other events may.
  std::function<void()> while_open;

  void SetAppTitle(const std::string& title) override { app_title = title; }
  void ReportError(const ErrorReport& report) override {
    errors.push_back(report);
    if (while_open) while_open();
  }
  void Inform(const std::string& text) override { informations.push_back(text); }
  bool Confirm(const std::string& text) override {
    confirmations.push_back(text);
    return answer_yes;
  }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) override {
    save_questions.push_back(question);
    return save_answer;
  }
  bool silent() const {
    return errors.empty() && informations.empty() && confirmations.empty() && warnings.empty();
  }
};

}  // namespace quorvane::testing
