#pragma once
// Work that would hold the window up (reading many catalogs, reading a medium again) on a
// thread of its own. The work looks at its stop flag where it can stop; what it leaves
// for the window is taken on the window's thread once it has finished. One task at a
// time: a new start stops the one before and waits for it.
#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace kolvex {

class BackgroundTask final : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<void(const std::atomic<bool>& stop)>;

  explicit BackgroundTask(QObject* parent = nullptr);
  // Stops the work and waits for it; its done is not called.
  ~BackgroundTask() override;

  // Runs work on its thread, then done on this object's thread: with stopped true when
  // stop() was asked meanwhile.
  void start(Work work, std::function<void(bool stopped)> done);
  // Asks the work to stop; it ends at its next look at the flag.
  void stop() { stop_ = true; }
  bool running() const { return thread_.joinable(); }
  // Waits for the work and hands over its result now (tests; the end of the program).
  void finishNow();

 private:
  void finish(unsigned generation);

  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::function<void(bool)> done_;
  unsigned generation_ = 0;
};

}  // namespace kolvex
