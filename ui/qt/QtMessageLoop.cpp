#include "ui/qt/QtMessageLoop.h"

#include <QTimer>

namespace quorvane {
namespace {

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> on_timeout) {
    QObject::connect(&timer_, &QTimer::timeout,
                     [on_timeout = std::move(on_timeout)] { on_timeout(); });
  }
  void Start(int interval_ms) override { timer_.start(interval_ms); }
  void Stop() override { timer_.stop(); }
  bool Active() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtMessageLoop::CreateTimer(std::function<void()> on_timeout) {
  return std::make_unique<QtTimer>(std::move(on_timeout));
}

void QtMessageLoop::Post(std::function<void()> task) {
  // Queued to this object, which lives on the user-interface thread.
  QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace quorvane
