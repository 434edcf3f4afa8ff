#pragma once
// A scanner wired to a made-up disc: a system root whose mount list has a folder of the
// test mounted as a "vfat" volume with label and UUID, scripted seams, a catalog folder
// and a temporary folder of its own (so leftover temporary files can be counted).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/app/IconProvider.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/VolumeScanner.h"
#include "core/persist/CatalogReader.h"
#include "platform/SystemProbe.h"
#include "platform/VolumeTable.h"
#include "support/ScriptedSeams.h"
#include "support/TempDir.h"

namespace kolvex::test {

// The real file system for paths; capacities and superblocks from tables.
class DiscProbe final : public SystemProbe {
 public:
  std::int64_t capacity(const std::string& mountPoint) override;
  std::optional<std::uint64_t> fileSystemId(const std::string&) override { return std::nullopt; }
  BlockIds probeDevice(const std::string&) override { return {}; }
  std::string realPath(const std::string& path) override;
  bool isDirectory(const std::string& path) override;
  std::map<std::string, std::int64_t> capacities;
};

class RecordingProgress final : public ScanProgress {
 public:
  void show(bool compact) override { shown.push_back(compact); }
  void hide() override { ++hidden; }
  void setStatus(std::string_view key, const std::string&) override {
    statuses.emplace_back(key);
    if (onStatus) onStatus(key);
  }
  void setRange(std::int64_t m) override { range = m; }
  void setPosition(std::int64_t p) override { positions.push_back(p); }
  std::vector<bool> shown;
  int hidden = 0;
  std::vector<std::string> statuses;
  std::int64_t range = -1;
  std::vector<std::int64_t> positions;
  std::function<void(std::string_view)> onStatus;
};

// Gives every file it is asked about the same two "icons" and remembers the paths.
class RecordingIcons final : public IconProvider {
 public:
  bool iconsOf(const std::string& path, TIcon& small, TIcon& large) override;
  std::string typeNameOf(const std::string&) override { return {}; }
  std::vector<std::string> asked;
};

struct DiscSetup {
  std::string label = "MYDISC";
  std::string uuid = "0000-007B";  // serial 123
  std::string fsType = "vfat";
};

class ScanRig {
 public:
  explicit ScanRig(DiscSetup disc = {});
  ~ScanRig();

  // The mounted disc, with a trailing '/'.
  std::string disc() const { return mount_ + "/"; }
  std::string archives() const { return archives_.path(); }
  // Temporary files (QE_*) left in the temporary folder or the catalog folder.
  std::vector<std::string> leftovers() const;

  // Mounts the disc somewhere else (an absolute path whose parent exists): its folder is
  // moved there and the mount list says so.
  void remountAt(const std::string& mountPoint);
  // Makes the mount list unreadable, as a volume layer that fails.
  void breakMountList();

  // GetVolumeInfo, ArchiveFileNameFor and CreateArchive(false, true, ...) on the path.
  ScanResult scan(const std::string& path, std::string* catalog = nullptr);

  TempDir dir;
  DiscProbe probe;
  VolumeTable volumes;
  TSCOptions options;
  RecordingIcons icons;
  ScriptedDialogs dialogs;
  LanguageFile texts;  // no language file: every message is its key
  ScriptedPump pump;
  RecordingProgress progress;
  FileOps* ops = nullptr;  // when set, the scan writes through it
  TSCCDInfo header;

  VolumeScanner& scanner();
  ScanContext& context();

 private:
  void writeMountList();
  std::string mount_;
  std::string fsType_;
  TempDir archives_;
  TempDir tmp_;
  std::string oldTmp_;
  bool hadTmp_ = false;
  std::unique_ptr<ScanContext> context_;
  std::unique_ptr<VolumeScanner> scanner_;
};

// A record of a catalog with its position.
struct Rec {
  std::int64_t pos;
  TTFileObjectInfo r;
};

// Every record in file order; also checks that TotalFiles + TotalDirectories + 1 records
// fill the record area exactly.
std::vector<Rec> readAll(const std::string& catalog, TSCCDInfo* header = nullptr,
                         bool expectExactTotals = true);
// The record of the given position.
const Rec& at(const std::vector<Rec>& all, std::int64_t pos);
// The chain that starts at first, in link order.
std::vector<Rec> chain(const std::vector<Rec>& all, std::int64_t first);
// The names of a chain, in link order.
std::vector<std::string> names(const std::vector<Rec>& chainRecords);
// The names of a folder as the file system lists them (the order the scanner meets them).
std::vector<std::string> listingOrder(const std::string& folder);
// A folder record by FilePath and FileName.
const Rec& folder(const std::vector<Rec>& all, const std::string& path, const std::string& name);

void makeDirs(const std::string& path);
void touch(const std::string& path, const std::string& content = "x");

}  // namespace kolvex::test
