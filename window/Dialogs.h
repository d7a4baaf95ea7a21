#pragma once

#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace quorvane {

// The report of a failed statement in one of the window's handlers.
struct ErrorReport {
  std::string description;  // what failed, for example "Path not found"
  std::string handler;      // "Timer1", "PushButton6_Click", ...
  int line = 0;             // the number of the failed step

  // The text of the error report box.
  std::string Text() const;
};

// Where to save a file: the platform's save dialog asks the user.
struct SaveFileQuestion {
  std::string title;           // "Export History as CSV"
  std::string suggested_name;  // "Quorvane.csv"
  std::string type_name;       // "CSV files"
  std::string extension;       // "csv", added when the user types none
  // Where the dialog opens; when empty, the user's documents folder, or the home
  // folder where there is none.
  std::filesystem::path folder;
};

// The program's message boxes. The window asks for them through this interface so
// that tests can answer them without a person.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The title of every box but the error report, set once at start-up.
  virtual void SetAppTitle(const std::string& title) = 0;
  // "Application Error", warning icon, OK only.
  virtual void ReportError(const ErrorReport& report) = 0;
  // Titled with the application title, no icon, OK only.
  virtual void Inform(const std::string& text) = 0;
  // Titled with the application title, no icon, Yes (the default) and No.
  virtual bool Confirm(const std::string& text) = 0;
  // A problem outside the handlers' own steps, with the warning icon.
  virtual void Warn(const std::string& text) = 0;
  // The platform's standard save dialog; nothing when the user cancels.
  virtual std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) = 0;
};

// Passes the boxes on, but never opens a second box with the same text while the
// first is still open: an error that comes back on every tick while nobody is
// there to answer would otherwise pile up boxes. Questions always go through.
class OneBoxPerMessage : public Dialogs {
 public:
  explicit OneBoxPerMessage(Dialogs& boxes) : boxes_(boxes) {}

  void SetAppTitle(const std::string& title) override { boxes_.SetAppTitle(title); }
  void ReportError(const ErrorReport& report) override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override { return boxes_.Confirm(text); }
  void Warn(const std::string& text) override;
  std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) override {
    return boxes_.AskSaveAs(question);
  }

 private:
  template <typename ShowBox>
  void ShowUnlessOpen(const std::string& key, ShowBox&& show);

  Dialogs& boxes_;
  std::set<std::string> open_;
};

// Runs the numbered steps of one handler. A step that throws is reported in the
// error report box and the handler goes on with its next step.
class TrappedHandler {
 public:
  TrappedHandler(Dialogs& dialogs, std::string name) : dialogs_(dialogs), name_(std::move(name)) {}

  // Runs one step; false when it failed (and was reported).
  template <typename Statement>
  bool Step(int line, Statement&& statement) {
    const auto failure = Attempt(line, statement);
    if (failure) dialogs_.ReportError(*failure);
    return !failure;
  }

  // Runs one step and hands back its failure instead of reporting it, for a
  // handler that must finish its work before a box holds it up.
  template <typename Statement>
  std::optional<ErrorReport> Attempt(int line, Statement&& statement) {
    try {
      statement();
      return std::nullopt;
    } catch (const std::exception& error) {
      return ErrorReport{error.what(), name_, line};
    }
  }

  void Report(int line, const std::string& description) {
    dialogs_.ReportError({description, name_, line});
  }
  void Report(const std::optional<ErrorReport>& failure) {
    if (failure) dialogs_.ReportError(*failure);
  }

 private:
  Dialogs& dialogs_;
  std::string name_;
};

inline constexpr const char* kSupportAddress = "support@brindlewick.example";

}  // namespace quorvane
