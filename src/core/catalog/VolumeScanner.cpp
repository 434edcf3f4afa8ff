#include "core/catalog/VolumeScanner.h"

#include <sys/stat.h>

#include <climits>
#include <memory>

#include "core/catalog/CatalogTarget.h"
#include "core/catalog/DescriptionText.h"
#include "core/catalog/FileNames.h"
#include "core/catalog/IconImage.h"
#include "core/catalog/LocalDayCount.h"
#include "core/catalog/TreeScanner.h"
#include "core/index/IndexMaintenance.h"
#include "core/content/CompanionStore.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TempFile.h"
#include "core/search/EMaskException.h"
#include "core/search/TMask.h"
#include "platform/VolumeError.h"

namespace kolvex {
namespace {

// Moves the bar only when events are let through anyway, so a bar that repaints on every
// change cannot slow the walk down.
class ProgressPump final : public EventPump {
 public:
  ProgressPump(EventPump& inner, ScanProgress& progress, const ScanState& state)
      : inner_(inner), progress_(progress), state_(state) {}
  void processEvents() override {
    if (walking) progress_.setPosition(state_.AddedCount);
    inner_.processEvents();
  }
  bool walking = false;

 private:
  EventPump& inner_;
  ScanProgress& progress_;
  const ScanState& state_;
};

class RunningFlag {
 public:
  explicit RunningFlag(ScanState& state) : state_(state) { state_.Running = true; }
  ~RunningFlag() { state_.Running = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  ScanState& state_;
};

// "D:\..." as catalogs made on Windows hold it.
bool isDriveLetterPath(const std::string& p) {
  return p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) &&
         p[1] == ':' && p[2] == '\\';
}

}  // namespace

VolumeScanner::VolumeScanner(ScanContext& context) : cx_(context), state_(TheScanState()) {}

bool VolumeScanner::GetVolumeInfo(const std::string& path, TSCCDInfo& header) {
  volumeProblem_.clear();
  descriptionNote_.clear();
  std::optional<VolumeLocation> at;
  try {
    at = cx_.volumes.locate(path);
  } catch (const VolumeError& e) {
    volumeProblem_ = e.what();
    return false;
  }
  if (!at || !at->volume.serial) return false;
  struct stat st {};
  if (::stat(at->realPath.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  const Volume& v = at->volume;
  std::string base = at->realPath;
  if (base.empty() || base.back() != '/') base += '/';

  header.CreateSerial = std::to_string(*v.serial);
  header.CDLabel =
      ReplaceInvalidChars((v.label.empty() ? header.CreateSerial : v.label) + at->belowRoot);
  header.CDFormat = v.fileSystem;
  header.CDSize = v.capacity;
  // Fresh sub-objects: the old ones may be shared with another header.
  header.CDDescription = std::make_shared<TStringList>();
  if (auto found = FindDescription(base, cx_.options.DescriptionFiles->lines)) {
    header.CDDescription->lines = std::move(found->lines);
    if (found->cut) descriptionNote_ = DescriptionCutNote(*found);
  }
  header.CDIconSmall = std::make_shared<TIcon>();
  header.CDIconLarge = std::make_shared<TIcon>();
  cx_.icons.iconsOf(base, *header.CDIconSmall, *header.CDIconLarge);
  DropUnreadableIcon(*header.CDIconSmall);
  DropUnreadableIcon(*header.CDIconLarge);
  header.SystemVersion = kSystemVersion;
  header.CreateDateTime = LocalDayCount::now();
  header.BaseDir = base;
  header.Removable = isRemovableKind(v.kind);
  return true;
}

std::string VolumeScanner::belowMountPoint(const std::string& baseDir) {
  if (isDriveLetterPath(baseDir)) {
    // Characters 3 to length-1: "\Data\Sub" of "D:\Data\Sub\".
    std::string part = baseDir.substr(2);
    if (!part.empty() && part.back() == '\\') part.pop_back();
    return part;
  }
  try {
    if (auto at = cx_.volumes.locate(baseDir)) return at->belowRoot;
  } catch (const VolumeError&) {
    // Named from the path as it stands, below.
  }
  std::string part = baseDir;
  while (part.size() > 1 && part.back() == '/') part.pop_back();
  return part == "/" ? std::string() : part;
}

std::string VolumeScanner::ArchiveFileNameFor(const TSCCDInfo& header) {
  // A folder deep below its mount point would make a name longer than a file system takes.
  const std::string base = ReplaceInvalidChars(header.CreateSerial + belowMountPoint(header.BaseDir));
  return cx_.archivesDir + FitFileName(base, kCatalogExtension, MaxFileNameBytes(cx_.archivesDir));
}

bool VolumeScanner::ConfirmOverwrite(bool ask, bool defaultIfExists, const std::string& fileName) {
  struct stat st {};
  if (::lstat(fileName.c_str(), &st) != 0) return true;
  if (!ask) return defaultIfExists;
  return cx_.dialogs.ask(cx_.texts.message("A006")) == Answer::Yes;
}

ScanResult VolumeScanner::CreateArchive(bool compact, bool quiet, TSCCDInfo& header,
                                        const std::string& scanPath,
                                        const std::string& archiveFileName) {
  if (state_.Running) {
    cx_.dialogs.message(MessageKind::Error, kScanAlreadyRunning);
    return {ScanOutcome::Refused, kScanAlreadyRunning};
  }
  cx_.progress.show(compact);
  bool ok = BuildArchiveFile(header, archiveFileName, scanPath);
  cx_.progress.hide();
  if (!ok && last_.outcome == ScanOutcome::Failed) {
    std::string text = cx_.texts.message("A003");
    if (explainFailures_ && !last_.reason.empty()) {
      // Names the volume even when the reason does not ("Stream write error").
      text += '\n';
      if (last_.reason.find(scanPath) == std::string::npos) text += scanPath + ": ";
      text += last_.reason;
    }
    cx_.dialogs.message(MessageKind::Error, text);
  }
  else if (ok && !quiet)
    cx_.dialogs.message(MessageKind::Information, cx_.texts.message("A002"));
  return last_;
}

bool VolumeScanner::fail(std::string reason) {
  last_.outcome = ScanOutcome::Failed;
  last_.reason = std::move(reason);
  return false;
}

bool VolumeScanner::BuildArchiveFile(TSCCDInfo& header, const std::string& archiveFileName,
                                     const std::string& scanPath) {
  last_ = {};
  if (state_.Running) {
    last_ = {ScanOutcome::Refused, kScanAlreadyRunning};
    return false;
  }
  RunningFlag running(state_);
  try {
    if (cx_.fingerprints) {
      if (!buildWithFingerprints(header, archiveFileName, scanPath)) return false;
    } else {
      if (!build(header, archiveFileName, scanPath)) return false;
      // Fingerprints of the catalog that was replaced would no longer match it.
      removeCompanionOf(archiveFileName, cx_.ops);
    }
    // After the catalog is in place; never fails the scan.
    if (cx_.refreshIndex) index::RefreshIndex(archiveFileName);
    return true;
  } catch (const EStreamError& e) {
    return fail(e.what());
  } catch (const std::bad_alloc&) {
    return fail("Out of memory");
  }
}

bool VolumeScanner::build(TSCCDInfo& header, const std::string& archiveFileName,
                          const std::string& scanPath) {
  if (archiveFileName.empty() || scanPath.empty())
    return fail("No folder to scan or no catalog name was given");
  // Said now rather than after the whole walk.
  const std::string folder = directoryOf(archiveFileName);
  if (std::string problem = PrepareCatalogFolder(folder); !problem.empty()) return fail(problem);
  if (std::string problem = CatalogNameProblem(archiveFileName); !problem.empty()) return fail(problem);
  // What scans killed before could not remove (where temporary files need names): the
  // catalog folder holds the records file of a scan; earlier versions wrote it to the
  // temporary folder.
  removeStaleTempFiles(tempDirectory());
  removeStaleTempFiles(folder);
  std::unique_ptr<TMask> iconMask;
  if (!cx_.options.IconIndexingMatches.empty()) {
    try {
      iconMask = std::make_unique<TMask>(cx_.options.IconIndexingMatches);
    } catch (const EMaskException& e) {
      return fail(std::string("The mask of the files whose icons are kept is not valid: ") +
                  e.what());
    }
  }
  auto cancelled = [this] {
    last_.outcome = ScanOutcome::Cancelled;
    return false;
  };
  // Until commit() the catalog of that name is not touched; the writer's temporary file
  // goes away with it on every way out.
  CatalogWriter writer(archiveFileName, cx_.ops);
  state_.AddingCancelled = false;
  ProgressPump barPump(cx_.pump, cx_.progress, state_);
  SlicedPump pump(barPump);
  cx_.progress.setPosition(0);
  cx_.progress.setStatus("A004", cx_.texts.message("A004"));
  pump.now();

  TreeScanner scanner(state_, pump, cx_.icons, iconMask.get(), cx_.statMethod, cx_.threads);
  std::int64_t dirs = 0, files = 0;
  if (!scanner.CountDirectory(scanPath, dirs, files) || state_.AddingCancelled) return cancelled();
  if (files + dirs > INT32_MAX) return fail("The folder holds too many entries for one catalog");
  header.TotalFiles = static_cast<std::int32_t>(files);
  header.TotalDirectories = static_cast<std::int32_t>(dirs);
  if (files + dirs == 0) return fail("There is nothing to catalog in " + scanPath);

  cx_.progress.setRange(files + dirs);
  cx_.progress.setStatus("A005", cx_.texts.message("A005"));
  state_.AddedCount = 0;
  barPump.walking = true;
  pump.now();
  if (state_.AddingCancelled) return cancelled();
  // The totals as counted: with an unchanged tree the header fits the room left for it.
  writer.reserveHeader(header);
  std::int64_t entrance = kNoRecord, filesBelow = 0, dirsBelow = 0;
  if (!scanner.ScanDirectory(scanPath, writer, entrance, filesBelow, dirsBelow)) return cancelled();
  barPump.walking = false;
  // The header counts what the file holds: a tree that changed since it was counted would
  // otherwise send readers of every record past the end of the file, or stop them short.
  if (filesBelow > INT32_MAX || dirsBelow > INT32_MAX)
    return fail("The folder holds too many entries for one catalog");
  header.TotalFiles = static_cast<std::int32_t>(filesBelow);
  header.TotalDirectories = static_cast<std::int32_t>(dirsBelow);
  cx_.progress.setPosition(state_.AddedCount);
  pump.now();  // the last Cancel press still counts
  if (state_.AddingCancelled) return cancelled();

  cx_.progress.setPosition(0);
  writer.commit(header);
  last_.outcome = ScanOutcome::Done;
  last_.records = writer.recordCount();
  last_.unreadableFolders = scanner.unreadableFolders();
  return true;
}

}  // namespace kolvex
