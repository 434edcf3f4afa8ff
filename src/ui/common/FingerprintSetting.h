#pragma once
// Whether the desktop's scans record content fingerprints: one choice of the user's, shown
// in the options view and in the add-archive dialog, kept with the window state because
// Options.cfg has a fixed format. Off when nothing was chosen yet.
namespace kolvex {

bool RecordFingerprints();
// False when the choice could not be saved.
bool SetRecordFingerprints(bool on);

}  // namespace kolvex
