#include "core/app/DriveMonitor.h"

#include <exception>

namespace kolvex {

DriveMonitor::DriveMonitor(Hooks hooks) : hooks_(std::move(hooks)) {}

DriveMonitor::~DriveMonitor() { *alive_ = false; }

bool DriveMonitor::snapshot(Snapshot& out) {
  try {
    out = hooks_.takeSnapshot ? hooks_.takeSnapshot() : Snapshot{};
    return true;
  } catch (const std::exception&) {
    // An unreadable volume list says nothing about media: keep the old baseline, or
    // every volume present would look new at the next poll.
    return false;
  }
}

void DriveMonitor::start() {
  if (handling_) {
    stopDuringScan_ = false;  // wanted again once the scan is over
    return;
  }
  Snapshot now;
  if (snapshot(now)) previous_ = std::move(now);
  running_ = true;
}

void DriveMonitor::stop() {
  if (handling_) stopDuringScan_ = true;
  running_ = false;
}

std::string DriveMonitor::poll() {
  if (!running_ || handling_) return {};
  // A scan started elsewhere runs: look again when it is over.
  if (hooks_.scanRunning && hooks_.scanRunning()) return {};
  Snapshot current;
  if (!snapshot(current)) return {};
  // What the next poll compares with: the entries looked at so far as they are now, those
  // after a handled medium as they were, so a second medium that came up in the same
  // interval (or during the scan) is still new at the next poll.
  Snapshot next = previous_;
  for (const auto& [mountPoint, serial] : current) {
    auto before = previous_.find(mountPoint);
    bool changed = before == previous_.end() ? serial != "0" : before->second != serial;
    next[mountPoint] = serial;
    if (!changed || serial == "0") continue;
    if (hooks_.shiftDown && hooks_.shiftDown()) continue;  // absorbed, not offered again
    running_ = false;
    handling_ = true;
    stopDuringScan_ = false;
    // The scan runs events: the monitor may be stopped or even destroyed meanwhile, so the
    // handler and what comes after it must not depend on this object staying alive.
    std::shared_ptr<bool> alive = alive_;
    auto handler = hooks_.catalogNewMedium;
    std::string handled = mountPoint;
    if (handler) handler(handled);
    if (!*alive) return handled;
    handling_ = false;
    if (stopDuringScan_) return handled;  // switched off: the next start takes a baseline
    previous_ = std::move(next);
    running_ = true;
    return handled;
  }
  previous_ = std::move(current);
  return {};
}

}  // namespace kolvex
