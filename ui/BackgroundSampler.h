#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include "sampling/StatusSampler.h"

namespace quorvane {

// Runs signal readings on a thread of their own, so that the window never waits
// for the wireless tool. One reading at a time.
class BackgroundSampler : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundSampler(StatusSampler& sampler, QObject* parent = nullptr);
  // Waits for a reading under way (the tool's time limit bounds the wait).
  ~BackgroundSampler() override;

  bool busy() const { return busy_; }
  // Starts a reading; ignored while one is under way.
  void Start(SignalMethod method);

 signals:
  // On the window's thread: the value text, or the description of the failure.
  void ReadingSucceeded(const std::string& value_text);
  void ReadingFailed(const std::string& description);

 private:
  StatusSampler& sampler_;
  QThread thread_;
  QObject* worker_context_;  // lives on thread_
  bool busy_ = false;
};

}  // namespace quorvane
