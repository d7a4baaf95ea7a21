#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "window/Dialogs.h"

namespace quorvane::testing {

// Records every message box and answers confirmations as told. A box stays open
// for as long as `while_open` runs: as with a real modal box, the program's timers
// and posted work go on meanwhile, which is what `while_open` lets happen.
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
  std::function<void()> while_open;
  int open_boxes = 0;
  int most_open_boxes = 0;  // boxes open at the same time, stacked

  void SetAppTitle(const std::string& title) override { app_title = title; }
  void ReportError(const ErrorReport& report) override {
    errors.push_back(report);
    StayOpen();
  }
  void Inform(const std::string& text) override {
    informations.push_back(text);
    StayOpen();
  }
  bool Confirm(const std::string& text) override {
    confirmations.push_back(text);
    return answer_yes;
  }
  void Warn(const std::string& text) override {
    warnings.push_back(text);
    StayOpen();
  }
  std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) override {
    save_questions.push_back(question);
    return save_answer;
  }
  bool silent() const {
    return errors.empty() && informations.empty() && confirmations.empty() && warnings.empty();
  }

 private:
  void StayOpen() {
    most_open_boxes = std::max(most_open_boxes, ++open_boxes);
    if (while_open) while_open();
    --open_boxes;
  }
};

}  // namespace quorvane::testing
