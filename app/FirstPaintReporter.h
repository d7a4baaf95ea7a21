#pragma once

#include <QEvent>
#include <QObject>
#include <chrono>
#include <cstdio>

namespace quorvane {

// For the launch-time benchmark: when QUORVANE_LAUNCHED_AT_NS holds the wall-clock
// time of the launch in nanoseconds, the first paint of the watched window prints
// "first-paint-ms <milliseconds since launch>". Without it nothing happens.
class FirstPaintReporter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      const qint64 launched = qEnvironmentVariable("QUORVANE_LAUNCHED_AT_NS").toLongLong();
      if (launched > 0) {
        const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
        std::printf("first-paint-ms %.1f\n", double(now - launched) / 1e6);
        std::fflush(stdout);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool reported_ = false;
};

}  // namespace quorvane
