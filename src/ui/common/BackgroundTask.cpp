#include "ui/common/BackgroundTask.h"

namespace kolvex {

BackgroundTask::BackgroundTask(QObject* parent) : QObject(parent) {}

BackgroundTask::~BackgroundTask() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void BackgroundTask::start(Work work, std::function<void(bool)> done) {
  if (thread_.joinable()) {
    stop_ = true;
    thread_.join();
  }
  stop_ = false;
  done_ = std::move(done);
  const unsigned generation = ++generation_;
  thread_ = std::thread([this, generation, work = std::move(work)] {
    work(stop_);
    // Handed to this object's thread; dropped with this object if it goes first.
    QMetaObject::invokeMethod(this, [this, generation] { finish(generation); }, Qt::QueuedConnection);
  });
}

void BackgroundTask::finishNow() {
  if (thread_.joinable()) finish(generation_);
}

void BackgroundTask::finish(unsigned generation) {
  // A finish posted by a task that a later start or finishNow has taken care of.
  if (generation != generation_ || !thread_.joinable()) return;
  thread_.join();
  auto done = std::move(done_);
  done_ = nullptr;
  if (done) done(stop_);
}

}  // namespace kolvex
