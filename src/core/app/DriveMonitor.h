#pragma once
// The drive monitor's decisions: which newly inserted medium to catalogue. Volumes are
// known by mount point and serial; a poll compares the serials with the previous ones and
// hands one new medium (the earliest mount point) to the cataloguer; further new media
// stay new and come one per poll after it. The timer that calls poll() belongs to the
// windows.
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kolvex {

class DriveMonitor {
 public:
  // Mount point -> serial as decimal text, "0" when it cannot be read.
  using Snapshot = std::map<std::string, std::string>;

  struct Hooks {
    std::function<Snapshot()> takeSnapshot;  // may throw: the poll is then skipped
    std::function<bool()> shiftDown;         // the user holds Shift: skip the medium
    std::function<bool()> scanRunning;       // another scan is running: wait for it
    std::function<void(const std::string& mountPoint)> catalogNewMedium;
  };

  // The shortest polling interval in milliseconds: a shorter one would keep the single
  // thread busy with volume queries. Options that ask for less are read as this.
  static constexpr int kShortestInterval = 1000;

  explicit DriveMonitor(Hooks hooks);
  ~DriveMonitor();
  DriveMonitor(const DriveMonitor&) = delete;
  DriveMonitor& operator=(const DriveMonitor&) = delete;

  // StartMonitor: a fresh baseline; polls count from here. Media present now are never
  // offered.
  void start();
  // StopMonitor. Stopping while a medium is being catalogued keeps the monitor off after
  // that scan.
  void stop();
  bool running() const { return running_; }
  bool handling() const { return handling_; }

  // One poll. Returns the mount point handed to the cataloguer, or empty.
  std::string poll();

  const Snapshot& previous() const { return previous_; }

 private:
  bool snapshot(Snapshot& out);

  Hooks hooks_;
  Snapshot previous_;
  bool running_ = false;
  bool handling_ = false;
  bool stopDuringScan_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kolvex
