#include "ui/BackgroundSampler.h"

#include <QMetaObject>

namespace quorvane {

BackgroundSampler::BackgroundSampler(StatusSampler& sampler, QObject* parent)
    : QObject(parent), sampler_(sampler), worker_context_(new QObject) {
  thread_.setObjectName(QStringLiteral("signal reader"));
  worker_context_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_context_, &QObject::deleteLater);
  thread_.start();
}

BackgroundSampler::~BackgroundSampler() {
  thread_.quit();
  thread_.wait();
}

void BackgroundSampler::Start(SignalMethod method) {
  if (busy_) return;
  busy_ = true;
  QMetaObject::invokeMethod(worker_context_, [this, method] {
    bool ok = true;
    std::string text;
    try {
      text = sampler_.ReadValue(method);
    } catch (const std::exception& error) {
      ok = false;
      text = error.what();
    }
    QMetaObject::invokeMethod(this, [this, ok, text] {
      busy_ = false;
      if (ok)
        emit ReadingSucceeded(text);
      else
        emit ReadingFailed(text);
    });
  });
}

}  // namespace quorvane
