#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/Dialogs.h"

namespace quorvane {

// The message boxes as QMessageBox, modal to the main window.
class MessageBoxDialogs : public Dialogs {
 public:
  void set_parent(QWidget* parent) { parent_ = parent; }

  void ReportError(const ErrorReport& report) override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Warn(const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quorvane
