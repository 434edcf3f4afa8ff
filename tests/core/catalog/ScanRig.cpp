#include "ScanRig.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace kolvex::test {
namespace fs = std::filesystem;

std::int64_t DiscProbe::capacity(const std::string& mountPoint) {
  auto it = capacities.find(mountPoint);
  return it == capacities.end() ? -1 : it->second;
}

std::string DiscProbe::realPath(const std::string& path) {
  char buf[PATH_MAX];
  return ::realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

bool DiscProbe::isDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool RecordingIcons::iconsOf(const std::string& path, TIcon& small, TIcon& large) {
  asked.push_back(path);
  small.setBytes(std::string("\0\0\1\0\1\0small", 11));
  large.setBytes(std::string("\0\0\1\0\1\0large", 11));
  return true;
}

ScanRig::ScanRig(DiscSetup disc) : volumes(probe, dir.path() + "root"), texts("/nonexistent/", "") {
  const std::string root = dir.path() + "root";
  mount_ = probe.realPath(dir.path().substr(0, dir.path().size() - 1)) + "/disc";
  makeDirs(mount_);
  makeDirs(root + "/proc/self");
  makeDirs(root + "/dev/disk/by-label");
  makeDirs(root + "/dev/disk/by-uuid");
  fsType_ = disc.fsType;
  writeMountList();
  if (!disc.label.empty())
    fs::create_symlink("../../sdz1", root + "/dev/disk/by-label/" + disc.label);
  if (!disc.uuid.empty()) fs::create_symlink("../../sdz1", root + "/dev/disk/by-uuid/" + disc.uuid);
  probe.capacities[mount_] = 650LL << 20;
  options.setFactoryValues();
  const char* old = std::getenv("TMPDIR");
  hadTmp_ = old != nullptr;
  if (old) oldTmp_ = old;
  ::setenv("TMPDIR", tmp_.path().c_str(), 1);
}

void ScanRig::writeMountList() {
  writeFile(dir.path() + "root/proc/self/mountinfo",
            "1 0 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n"
            "50 1 0:99 / " +
                mount_ + " rw,relatime - " + fsType_ + " /dev/sdz1 rw\n");
}

void ScanRig::remountAt(const std::string& mountPoint) {
  if (::rename(mount_.c_str(), mountPoint.c_str()) != 0)
    throw std::runtime_error("cannot move the disc to " + mountPoint);
  probe.capacities[mountPoint] = probe.capacities[mount_];
  mount_ = probe.realPath(mountPoint);
  writeMountList();
}

void ScanRig::breakMountList() { ::unlink((dir.path() + "root/proc/self/mountinfo").c_str()); }

ScanRig::~ScanRig() {
  if (hadTmp_)
    ::setenv("TMPDIR", oldTmp_.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
}

ScanContext& ScanRig::context() {
  if (!context_)
    context_.reset(new ScanContext{options, volumes, icons, dialogs, texts, pump, progress,
                                   archives_.path(), ops ? *ops : posixFileOps()});
  return *context_;
}

VolumeScanner& ScanRig::scanner() {
  if (!scanner_) scanner_ = std::make_unique<VolumeScanner>(context());
  return *scanner_;
}

std::vector<std::string> ScanRig::leftovers() const {
  std::vector<std::string> found;
  for (const std::string& folder : {tmp_.path(), archives_.path()})
    for (const std::string& name : listDir(folder))
      if (name.rfind("QE_", 0) == 0) found.push_back(folder + name);
  return found;
}

ScanResult ScanRig::scan(const std::string& path, std::string* catalog) {
  header = TSCCDInfo();
  if (!scanner().GetVolumeInfo(path, header)) throw std::runtime_error("no volume for " + path);
  std::string name = scanner().ArchiveFileNameFor(header);
  if (catalog) *catalog = name;
  return scanner().CreateArchive(false, true, header, header.BaseDir, name);
}

std::vector<Rec> readAll(const std::string& catalog, TSCCDInfo* header, bool exact) {
  CatalogReader reader(catalog);
  std::vector<Rec> all;
  reader.forEachInFileOrder([&](std::int64_t pos, const TSCFileObjectInfo& r) {
    all.push_back({pos, snapshotOf(r)});
  });
  if (exact) {
    EXPECT_EQ(reader.file().position(), reader.recordBase() + reader.areaSize())
        << "the totals do not cover the record area exactly";
  }
  if (header) *header = reader.header();
  return all;
}

const Rec& at(const std::vector<Rec>& all, std::int64_t pos) {
  for (const Rec& r : all)
    if (r.pos == pos) return r;
  throw std::runtime_error("no record at " + std::to_string(pos));
}

std::vector<Rec> chain(const std::vector<Rec>& all, std::int64_t first) {
  std::vector<Rec> out;
  for (std::int64_t p = first; p != kNoRecord; p = at(all, p).r.BrotherRP) {
    out.push_back(at(all, p));
    if (out.size() > all.size()) throw std::runtime_error("the chain loops");
  }
  return out;
}

std::vector<std::string> names(const std::vector<Rec>& records) {
  std::vector<std::string> out;
  for (const Rec& r : records) out.push_back(r.r.FileName);
  return out;
}

std::vector<std::string> listingOrder(const std::string& folder) {
  std::vector<std::string> out;
  DIR* d = ::opendir(folder.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") out.push_back(n);
  }
  ::closedir(d);
  return out;
}

const Rec& folder(const std::vector<Rec>& all, const std::string& path, const std::string& name) {
  for (const Rec& r : all)
    if (r.r.isDirectory() && r.r.FilePath == path && r.r.FileName == name) return r;
  throw std::runtime_error("no folder " + path + name);
}

void makeDirs(const std::string& path) { fs::create_directories(path); }
void touch(const std::string& path, const std::string& content) { writeFile(path, content); }

}  // namespace kolvex::test
