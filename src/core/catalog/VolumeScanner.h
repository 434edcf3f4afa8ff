#pragma once
// Turns a mounted volume or a folder into a catalog: the volume's header, the catalog's
// name, the question before a catalog is replaced, and the scan itself with its progress
// window and messages. One scan runs at a time in the whole process (TheScanState()).
#include <cstdint>
#include <string>

#include "core/catalog/ScanContext.h"
#include "core/catalog/ScanState.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

enum class ScanOutcome { Done, Failed, Cancelled, Refused };

struct ScanResult {
  ScanOutcome outcome = ScanOutcome::Failed;
  std::string reason;  // why it failed or was refused, for the command line
  std::int64_t records = 0;
  std::int64_t unreadableFolders = 0;
  std::int64_t unreadableFiles = 0;  // files left without a fingerprint
  bool fingerprinted = false;        // a companion file was written with the catalog
};

class VolumeScanner {
 public:
  explicit VolumeScanner(ScanContext& context);

  // Fills the header from the volume holding path: serial, label (the serial when the
  // volume has none) with the path's part below the mount point, file system, capacity,
  // description, icons, version, time, BaseDir (the resolved path with a trailing '/')
  // and Removable. False when the path or its volume cannot be read (a path on a kernel
  // file system such as /proc included: it is no volume); the header is then as it was.
  bool GetVolumeInfo(const std::string& path, TSCCDInfo& header);
  // Why the last GetVolumeInfo failed, when the volume layer could say; else empty.
  const std::string& volumeProblem() const { return volumeProblem_; }
  // Set by the last GetVolumeInfo when the description file was too long and was cut.
  const std::string& descriptionNote() const { return descriptionNote_; }

  // archivesDir + ReplaceInvalidChars(CreateSerial + BaseDir's part below its mount point)
  // + ".qel": the mount point itself gives "123.qel", its folder Data/Sub "123_Data_Sub.qel".
  // A name longer than the catalog folder's file system takes is shortened (FitFileName).
  std::string ArchiveFileNameFor(const TSCCDInfo& header);

  // True when fileName does not exist; else defaultIfExists without ask; else the answer
  // to question A006.
  bool ConfirmOverwrite(bool ask, bool defaultIfExists, const std::string& fileName);

  // The whole scan with its window: shown (compact or as a dialog), the catalog built,
  // hidden; then A003 on failure or A002 on success unless quiet. A failed or cancelled
  // scan leaves a catalog of that name exactly as it was. A second scan while one runs is
  // refused with a message.
  ScanResult CreateArchive(bool compact, bool quiet, TSCCDInfo& header, const std::string& scanPath,
                           const std::string& archiveFileName);
  // A003 followed by the folder and the reason, for a window where the message is all the
  // user learns (the command line prints the reason on a line of its own).
  void setExplainFailures(bool explain) { explainFailures_ = explain; }

  // The scan without window and messages: counts, walks and writes, filling TotalFiles,
  // TotalDirectories and EntranceRP of the header. The catalog folder is made when it is
  // missing; a folder in the catalog's place fails the scan before it starts. Temporary
  // files that earlier scans, since killed, left in the temporary folder or the catalog
  // folder are removed.
  bool BuildArchiveFile(TSCCDInfo& header, const std::string& archiveFileName,
                        const std::string& scanPath);

  // What the last BuildArchiveFile did.
  const ScanResult& lastResult() const { return last_; }

 private:
  std::string belowMountPoint(const std::string& baseDir);
  bool build(TSCCDInfo& header, const std::string& archiveFileName, const std::string& scanPath);
  // The scan with the fingerprint phase after the walk (VolumeScannerFingerprints.cpp).
  bool buildWithFingerprints(TSCCDInfo& header, const std::string& archiveFileName,
                             const std::string& scanPath);
  bool fail(std::string reason);

  ScanContext& cx_;
  ScanState& state_;
  ScanResult last_;
  std::string volumeProblem_;
  std::string descriptionNote_;
  bool explainFailures_ = false;
};

// The text shown when a scan is started while another runs.
inline constexpr const char* kScanAlreadyRunning =
    "A scan is already running. Wait until it has finished or cancel it.";

}  // namespace kolvex
