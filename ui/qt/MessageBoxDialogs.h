#pragma once

#include <QPointer>
#include <QWidget>

#include "window/Dialogs.h"

namespace quorvane {

// The message boxes as QMessageBox, modal to the main window.
class MessageBoxDialogs : public Dialogs {
 public:
  void set_parent(QWidget* parent) { parent_ = parent; }

  void SetAppTitle(const std::string& title) override { app_title_ = title; }
  void ReportError(const ErrorReport& report) override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Warn(const std::string& text) override;
  // SaveFileDialog.cpp
  std::optional<std::filesystem::path> AskSaveAs(const SaveFileQuestion& question) override;

 private:
  QString AppTitle() const { return QString::fromStdString(app_title_); }
  QWidget* Owner() const;

  QPointer<QWidget> parent_;
  std::string app_title_ = "Quorvane";
};

}  // namespace quorvane
