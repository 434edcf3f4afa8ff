#include "ui/common/FingerprintSetting.h"

#include "ui/common/WindowState.h"

namespace kolvex {
namespace {

constexpr const char* kKey = "Scans/RecordFingerprints";

}  // namespace

bool RecordFingerprints() { return WindowState(WindowState::userPath()).value(kKey, false).toBool(); }

bool SetRecordFingerprints(bool on) {
  WindowState state(WindowState::userPath());
  state.setValue(kKey, on);
  return state.save();
}

}  // namespace kolvex
