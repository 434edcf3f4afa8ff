#pragma once
// Long operations run on the one user-interface thread and let pending window events run
// between their steps; that is how Cancel, Pause and Stop reach the flags they poll.
#include <chrono>
#include <functional>
#include <thread>

namespace kolvex {

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the window events that are waiting, then returns.
  virtual void processEvents() = 0;
  // Waits until an event arrives, or at most `limit`, then runs the waiting events. A loop
  // that only waits for a button (a paused search) calls this instead of processEvents()
  // so that it does not keep a core busy. The default sleeps for the limit; a window
  // system's pump blocks in its event queue instead.
  virtual void waitForEvents(std::chrono::milliseconds limit) {
    std::this_thread::sleep_for(limit);
    processEvents();
  }
};

// A pump that does nothing: for the command line and for tests that need no events.
class NoEventPump final : public EventPump {
 public:
  void processEvents() override {}
};

// The time a loop measures its slices by: the steady clock, or a test's own clock.
using SliceClock = std::function<std::chrono::steady_clock::time_point()>;

// Lets events run at most once per slice of work (20 ms by default), so a loop can call
// tick() after every record without being slowed down, and still reacts within a frame.
class SlicedPump {
 public:
  static constexpr int kCheckEvery = 16;  // reading the clock costs more than a record

  explicit SlicedPump(EventPump& pump, std::chrono::milliseconds slice = std::chrono::milliseconds(20),
                      SliceClock clock = {})
      : pump_(pump), slice_(slice), clock_(std::move(clock)), next_(read() + slice) {}
  void tick() {
    if (++calls_ < kCheckEvery) return;
    calls_ = 0;
    if (read() < next_) return;
    pump_.processEvents();
    next_ = read() + slice_;
  }
  // Lets events run when the slice is over, reading the clock at once: for a loop that
  // waits (for another thread, say) rather than works.
  void check() {
    calls_ = 0;
    if (read() < next_) return;
    pump_.processEvents();
    next_ = read() + slice_;
  }
  // Lets events run now, whatever the time (a status change, the end of a pass).
  void now() {
    pump_.processEvents();
    next_ = read() + slice_;
  }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point read() const { return clock_ ? clock_() : Clock::now(); }

  EventPump& pump_;
  std::chrono::milliseconds slice_;
  SliceClock clock_;
  Clock::time_point next_;
  int calls_ = 0;
};

}  // namespace kolvex
