#include "core/report/CatalogStatistics.h"

#include <algorithm>

#include "core/catalog/DateTimeText.h"
#include "core/report/FolderTotals.h"
#include "core/report/RowText.h"
#include "core/report/Saturating.h"

namespace kolvex {
namespace {

bool largerFirst(const RankedEntry& a, const RankedEntry& b) {
  return a.bytes != b.bytes ? a.bytes > b.bytes : a.path < b.path;
}
bool olderFirst(const RankedEntry& a, const RankedEntry& b) {
  return a.time != b.time ? a.time < b.time : a.path < b.path;
}
bool newerFirst(const RankedEntry& a, const RankedEntry& b) {
  return a.time != b.time ? a.time > b.time : a.path < b.path;
}

// Keeps the best n of a ranking, best first.
template <class Better>
void rank(std::vector<RankedEntry>& list, RankedEntry entry, Better better, std::size_t n) {
  auto at = std::upper_bound(list.begin(), list.end(), entry, better);
  if (static_cast<std::size_t>(at - list.begin()) >= n) return;
  list.insert(at, std::move(entry));
  if (list.size() > n) list.pop_back();
}

// Whether an entry with this key would enter a full ranking; saves building its path.
template <class Better>
bool wouldRank(const std::vector<RankedEntry>& list, const RankedEntry& probe, Better better,
               std::size_t n) {
  return list.size() < n || better(probe, list.back());
}

void addCount(SpaceCount& to, const SpaceCount& from) {
  to.files = saturatingAdd(to.files, from.files);
  to.bytes = saturatingAdd(to.bytes, from.bytes);
}

// A volume is known by its serial and file system. Without a serial ("0": unreadable) the
// catalog's folder and label stand in, so unrelated catalogs are not taken for one volume.
std::string volumeKey(const TSCCDInfo& h) {
  std::string key = h.CreateSerial + '\n' + h.CDFormat;
  if (h.CreateSerial.empty() || h.CreateSerial == "0") key += '\n' + h.BaseDir + '\n' + h.CDLabel;
  return key;
}

std::string folderKey(std::string baseDir) {
  if (baseDir.empty() || baseDir.back() != '/') baseDir += '/';
  return baseDir;
}

// Adds what another catalog of the same volume tells: the newer word wins.
void merge(VolumeShare& to, const VolumeShare& from) {
  if (from.capacity > 0 && (to.capacity <= 0 || from.capacityTime > to.capacityTime)) {
    to.capacity = from.capacity;
    to.capacityTime = from.capacityTime;
  }
  for (const auto& [folder, f] : from.folders) {
    auto [at, added] = to.folders.try_emplace(folder, f);
    if (!added && f.time > at->second.time) at->second = f;
  }
}

}  // namespace

std::int64_t VolumeShare::filledBytes() const {
  std::int64_t sum = 0;
  // Sorted by path, a folder comes right after the folders that hold it; the last
  // outermost folder seen holds the next one exactly when the next starts with it.
  const std::string* outer = nullptr;
  for (const auto& [folder, f] : folders) {
    if (outer && folder.starts_with(*outer)) continue;
    outer = &folder;
    sum = saturatingAdd(sum, f.bytes);
  }
  return sum;
}

bool CatalogStatistics::addCatalog(CatalogReader& reader, FileKinds& kinds,
                                   const WalkProceed& proceed) {
  const TSCCDInfo& header = reader.header();
  const std::string& label = header.CDLabel;
  CatalogStatistics one;
  one.catalogs = 1;
  auto onEntry = [&](const WalkEntry& e) {
    if (e.isFolder) return;
    const TSCFileObjectInfo& r = e.record;
    const std::int64_t size = countedSize(r.FileSize);
    ++one.files;
    one.bytes = saturatingAdd(one.bytes, size);
    const std::string ext = ExtensionOf(r.FileName);
    addCount(one.byKind[static_cast<std::size_t>(kinds.kindOfExtension(ext))], {1, size});
    addCount(one.byExtension[ext], {1, size});
    RankedEntry probe{{}, {}, size, r.CreateDateTime};
    const bool big = wouldRank(one.largestFiles, probe, largerFirst, kTopSizes);
    // A time of 0 is the stream format's "none"; the rankings want real dates.
    const bool dated = r.CreateDateTime != 0.0 && CalendarOfDayCount(r.CreateDateTime).has_value();
    const bool old = dated && wouldRank(one.oldestFiles, probe, olderFirst, kTopDates);
    const bool young = dated && wouldRank(one.newestFiles, probe, newerFirst, kTopDates);
    if (!big && !old && !young) return;
    probe.path = JoinFolderPath(e.folder, r.FileName);
    probe.label = label;
    if (big) rank(one.largestFiles, probe, largerFirst, kTopSizes);
    if (old) rank(one.oldestFiles, probe, olderFirst, kTopDates);
    if (young) rank(one.newestFiles, probe, newerFirst, kTopDates);
  };
  std::optional<FolderTotals> totals =
      CollectFolderTotals(reader, header.EntranceRP, "/", proceed, onEntry);
  if (!totals) return false;
  one.folders = totals->folders.front().folders;
  for (std::size_t i = 1; i < totals->folders.size(); ++i) {
    const FolderTotal& f = totals->folders[i];
    RankedEntry probe{{}, label, f.bytes, 0.0};
    if (!wouldRank(one.largestFolders, probe, largerFirst, kTopSizes)) continue;
    probe.path = totals->pathOf(static_cast<int>(i));
    rank(one.largestFolders, std::move(probe), largerFirst, kTopSizes);
  }
  VolumeShare& volume = one.volumes[volumeKey(header)];
  if (header.CDSize > 0) {
    volume.capacity = header.CDSize;
    volume.capacityTime = header.CreateDateTime;
  }
  volume.folders[folderKey(header.BaseDir)] = {header.CreateDateTime, one.bytes};
  add(one);
  return true;
}

void CatalogStatistics::add(const CatalogStatistics& o) {
  catalogs += o.catalogs;
  files = saturatingAdd(files, o.files);
  folders = saturatingAdd(folders, o.folders);
  bytes = saturatingAdd(bytes, o.bytes);
  for (const auto& [key, volume] : o.volumes) merge(volumes[key], volume);
  for (std::size_t k = 0; k < byKind.size(); ++k) addCount(byKind[k], o.byKind[k]);
  for (const auto& [ext, count] : o.byExtension) addCount(byExtension[ext], count);
  for (const RankedEntry& e : o.largestFiles) rank(largestFiles, e, largerFirst, kTopSizes);
  for (const RankedEntry& e : o.largestFolders) rank(largestFolders, e, largerFirst, kTopSizes);
  for (const RankedEntry& e : o.oldestFiles) rank(oldestFiles, e, olderFirst, kTopDates);
  for (const RankedEntry& e : o.newestFiles) rank(newestFiles, e, newerFirst, kTopDates);
}

std::int64_t CatalogStatistics::capacity() const {
  std::int64_t sum = 0;
  for (const auto& [key, v] : volumes) sum = saturatingAdd(sum, v.capacity);
  return sum;
}

std::int64_t CatalogStatistics::volumesWithCapacity() const {
  return std::count_if(volumes.begin(), volumes.end(), [](const auto& v) { return v.second.capacity > 0; });
}

std::int64_t CatalogStatistics::volumesWithoutCapacity() const {
  return static_cast<std::int64_t>(volumes.size()) - volumesWithCapacity();
}

std::int64_t CatalogStatistics::filledBytes() const {
  std::int64_t sum = 0;
  for (const auto& [key, v] : volumes)
    if (v.capacity > 0) sum = saturatingAdd(sum, v.filledBytes());
  return sum;
}

double CatalogStatistics::fill() const {
  const std::int64_t total = capacity();
  if (total <= 0) return -1.0;
  return std::min(1.0, static_cast<double>(filledBytes()) / static_cast<double>(total));
}

std::vector<ExtensionCount> CatalogStatistics::topExtensions(std::size_t n) const {
  std::vector<ExtensionCount> all;
  all.reserve(byExtension.size());
  for (const auto& [ext, count] : byExtension) all.push_back({ext, count});
  auto more = [](const ExtensionCount& a, const ExtensionCount& b) {
    if (a.count.bytes != b.count.bytes) return a.count.bytes > b.count.bytes;
    if (a.count.files != b.count.files) return a.count.files > b.count.files;
    return a.extension < b.extension;
  };
  const std::size_t keep = std::min(n, all.size());
  std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(keep), all.end(), more);
  all.resize(keep);
  return all;
}

}  // namespace kolvex
