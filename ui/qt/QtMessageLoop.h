#pragma once

#include <QObject>

#include "window/Form1View.h"

namespace quorvane {

// Timers and posted tasks on the Qt event loop of the user-interface thread.
class QtMessageLoop : public QObject, public MessageLoop {
  Q_OBJECT

 public:
  using QObject::QObject;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_timeout) override;
  void Post(std::function<void()> task) override;
};

}  // namespace quorvane
