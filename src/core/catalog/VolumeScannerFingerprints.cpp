// A scan that records content fingerprints: the walk writes the catalog under a staged
// name beside it, the fingerprint phase reads every catalogued file, and only then do the
// catalog and its companion replace the old pair. Until that moment, a failure or Cancel
// leaves both old files as they were.
#include "core/catalog/VolumeScanner.h"
#include "core/content/CompanionStore.h"
#include "core/content/TreeHasher.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// The staged catalog goes away on every way out but the one that renames it.
class StagedFile {
 public:
  StagedFile(const std::string& catalogPath, FileOps& ops) : ops_(ops) {
    int fd = createUniqueFile(ops_, directoryOf(catalogPath), "QE_", ".stage", path_);
    ops_.close(fd);
  }
  ~StagedFile() {
    if (!path_.empty()) removeFile(ops_, path_);
  }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  const std::string& path() const { return path_; }
  void handedOver() { path_.clear(); }

 private:
  FileOps& ops_;
  std::string path_;
};

// Moves the bar to the bytes hashed whenever events are let through anyway.
class BarPump final : public EventPump {
 public:
  BarPump(EventPump& inner, ScanProgress& bar, const std::uint64_t& done)
      : inner_(inner), bar_(bar), done_(done) {}
  void processEvents() override {
    bar_.setPosition(static_cast<std::int64_t>(done_));
    inner_.processEvents();
  }

 private:
  EventPump& inner_;
  ScanProgress& bar_;
  const std::uint64_t& done_;
};

}  // namespace

bool VolumeScanner::buildWithFingerprints(TSCCDInfo& header, const std::string& archiveFileName,
                                          const std::string& scanPath) {
  if (archiveFileName.empty() || scanPath.empty())
    return fail("No folder to scan or no catalog name was given");
  StagedFile staged(archiveFileName, cx_.ops);
  if (!build(header, staged.path(), scanPath)) return false;
  const ScanResult walked = last_;

  cx_.progress.setStatus("F001", cx_.texts.message("F001"));
  cx_.progress.setPosition(0);
  std::uint64_t done = 0;
  BarPump barPump(cx_.pump, cx_.progress, done);
  SlicedPump pump(barPump);
  pump.now();
  auto tick = [&](std::uint64_t bytes, std::uint64_t total) {
    done = bytes;
    if (bytes == 0) {
      cx_.progress.setRange(static_cast<std::int64_t>(total));
      pump.now();
    } else {
      pump.tick();
    }
    return !state_.AddingCancelled;
  };
  TreeHashResult hashed = TreeHasher::hashCatalogTree(staged.path(), scanPath, tick, cx_.ops);
  if (hashed.cancelled || state_.AddingCancelled) {
    last_ = {};
    last_.outcome = ScanOutcome::Cancelled;
    return false;
  }
  const std::string finished = staged.path();
  staged.handedOver();  // from here on the commit looks after it
  const bool saved =
      commitCatalogWithCompanion(finished, archiveFileName, &hashed.content, cx_.ops);
  last_ = walked;
  last_.unreadableFiles = hashed.unreadable;
  last_.fingerprinted = saved;
  return true;
}

}  // namespace kolvex
