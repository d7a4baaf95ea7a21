#pragma once

#include <QObject>
#include <QString>
#include <map>

#include "window/Form1View.h"

namespace quorvane {

class Form1;

// Desktop notifications through the session bus's notification server
// (org.freedesktop.Notifications): one per slot, replaced through the id the
// server gave it, with the program's icon. Activating one brings the window back.
class DBusNotifications : public QObject, public NotificationView {
  Q_OBJECT

 public:
  explicit DBusNotifications(QObject* parent = nullptr);

  void Attach(Form1& form) { form_ = &form; }
  bool Notify(int slot, const std::string& title, const std::string& text) override;

 private slots:
  void OnActionInvoked(uint id, const QString& action);

 private:
  bool ServerPresent() const;

  Form1* form_ = nullptr;
  bool listening_ = false;
  std::map<int, uint> ids_;  // the server's id of each slot's notification
};

}  // namespace quorvane
