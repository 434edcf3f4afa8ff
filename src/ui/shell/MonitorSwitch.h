#pragma once
// What the main window asks of the drive monitor: start polling the drives (with a fresh
// view of them) and stop. The tray menu's "Drive Monitor" check mark drives it.
namespace kolvex {

class MonitorSwitch {
 public:
  virtual ~MonitorSwitch() = default;
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
};

// A monitor that watches no drive: it only keeps the state the menu set, until the
// polling monitor takes its place.
class IdleMonitorSwitch final : public MonitorSwitch {
 public:
  void Start() override { running_ = true; }
  void Stop() override { running_ = false; }
  bool Running() const override { return running_; }

 private:
  bool running_ = false;
};

}  // namespace kolvex
