#include "core/compare/DuplicateFinder.h"

#include <xxhash.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/compare/CatalogFiles.h"
#include "core/content/CatalogFileWalk.h"
#include "core/content/CompanionStore.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

std::uint64_t nameKey(std::string_view name, double time, bool withTime) {
  std::uint64_t seed = 0;
  if (withTime) std::memcpy(&seed, &time, sizeof seed);
  return XXH3_64bits_withSeed(name.data(), name.size(), seed);
}

bool regular(std::int32_t attributes) {
  return (attributes & (faDirectory | faReparsePoint | faSysFile | faVolumeID)) == 0;
}

}  // namespace

std::string copyName(const DupeCopy& copy) {
  const std::size_t slash = copy.path.rfind('/');
  return slash == std::string::npos ? copy.path : copy.path.substr(slash + 1);
}

std::string copyStoredFolder(const DupeCopy& copy) {
  const std::size_t slash = copy.path.rfind('/');
  std::string folder = "X:\\";
  if (slash == std::string::npos) return folder;
  for (std::size_t i = 0; i < slash; ++i) folder += copy.path[i] == '/' ? '\\' : copy.path[i];
  return folder + '\\';
}

DuplicateFinder::DuplicateFinder(DupeOptions options, FileOps& ops)
    : options_(options), ops_(ops) {}

std::size_t DuplicateFinder::addCatalog(const std::string& catalogPath) {
  const std::size_t index = catalogs_.size();
  DupeCatalog& c = catalogs_.emplace_back();
  c.path = catalogPath;
  const std::size_t before = keys_.size();
  try {
    FingerprintLoad prints;
    if (options_.byContent) {
      prints = loadFingerprints(catalogPath, ops_);
      if (!prints.usable() && prints.state != FingerprintLoad::State::None)
        c.warning = ignoredCompanionText(catalogPath, prints);
    }
    CatalogReader reader(catalogPath, ops_);
    c.label = reader.header().CDLabel;
    c.serial = reader.header().CreateSerial;
    c.baseDir = reader.header().BaseDir;
    c.removable = reader.header().Removable;
    // Records come in file order and fingerprints by position: one pass over both.
    const auto& entries = prints.content.entries;
    std::size_t next = 0;
    bool unfit = false;
    reader.forEachInFileOrder([&](std::int64_t pos, const TSCFileObjectInfo& r) {
      while (next < entries.size() && entries[next].record < pos) ++next;
      const bool printed = next < entries.size() && entries[next].record == pos;
      if (printed && entries[next].size != r.FileSize) unfit = true;
      if (!regular(r.Attribute) || r.FileSize < options_.minSize) return;
      Key k{r.FileSize, {}, nameKey(r.FileName, r.CreateDateTime, options_.sameTime), pos,
            static_cast<std::uint32_t>(index), 0};
      if (options_.byContent && printed) {
        k.print = entries[next].fingerprint;
        k.hasPrint = 1;
      }
      keys_.push_back(k);
    });
    if (unfit) {
      // The companion does not describe this catalog's records: none of it is used.
      for (std::size_t i = before; i < keys_.size(); ++i) keys_[i].hasPrint = 0;
      prints.problem = "The fingerprint file does not fit the catalog's records";
      c.warning = ignoredCompanionText(catalogPath, prints);
    }
    c.read = true;
  } catch (const EStreamError& e) {
    keys_.resize(before);
    c.warning = catalogPath + ": " + e.what() + "; the catalog is left out";
  }
  return index;
}

void DuplicateFinder::markMounted(const std::vector<Volume>& volumes) {
  for (DupeCatalog& c : catalogs_) {
    c.mounted = false;
    for (const Volume& v : volumes)
      if (v.serial && v.serialText() == c.serial) c.mounted = true;
  }
}

void DuplicateFinder::addCatalogs(const std::vector<std::string>& catalogPaths) {
  // A record takes some bytes at least, so a damaged header cannot ask for more room
  // than its file could fill.
  constexpr std::uint64_t kSmallestRecord = 32;
  std::uint64_t room = 0;
  for (const std::string& path : catalogPaths) {
    try {
      CatalogReader reader(path, ops_);
      const std::uint64_t claimed = static_cast<std::uint64_t>(
          std::max<std::int32_t>(reader.header().TotalFiles, 0));
      room += std::min(claimed, reader.areaSize() / kSmallestRecord + 1);
    } catch (const EStreamError&) {
      // Reported when it is added.
    }
  }
  keys_.reserve(keys_.size() + static_cast<std::size_t>(room));
  for (const std::string& path : catalogPaths) addCatalog(path);
}

// A file without a fingerprint is compared by name and size. Where the files of that name
// and size that have one all agree, it joins their content group; otherwise it can only
// match other files without a fingerprint.
void DuplicateFinder::lendFingerprints() {
  std::sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) {
    return std::tie(a.size, a.name, a.hasPrint) < std::tie(b.size, b.name, b.hasPrint);
  });
  for (std::size_t i = 0; i < keys_.size();) {
    std::size_t j = i;
    while (j < keys_.size() && keys_[j].size == keys_[i].size && keys_[j].name == keys_[i].name) ++j;
    // Within the run, those without a fingerprint sort first.
    std::size_t firstPrinted = i;
    while (firstPrinted < j && keys_[firstPrinted].hasPrint == 0) ++firstPrinted;
    if (firstPrinted > i && firstPrinted < j) {
      bool agree = true;
      for (std::size_t k = firstPrinted + 1; k < j && agree; ++k)
        agree = keys_[k].print == keys_[firstPrinted].print;
      if (agree)
        for (std::size_t k = i; k < firstPrinted; ++k) {
          keys_[k].print = keys_[firstPrinted].print;
          keys_[k].hasPrint = 2;
        }
    }
    i = j;
  }
}

std::vector<DupeGroup> DuplicateFinder::groups() {
  if (options_.byContent) lendFingerprints();
  auto same = [](const Key& a, const Key& b) {
    if (a.size != b.size || (a.hasPrint != 0) != (b.hasPrint != 0)) return false;
    return a.hasPrint ? a.print == b.print : a.name == b.name;
  };
  std::sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) {
    const bool pa = a.hasPrint != 0, pb = b.hasPrint != 0;
    const std::uint64_t na = pa ? 0 : a.name, nb = pb ? 0 : b.name;
    return std::tie(b.size, pa, a.print, na, a.catalog, a.record) <
           std::tie(a.size, pb, b.print, nb, b.catalog, b.record);
  });
  std::vector<DupeGroup> groups;
  for (std::size_t i = 0; i < keys_.size();) {
    std::size_t j = i + 1;
    while (j < keys_.size() && same(keys_[i], keys_[j])) ++j;
    if (j - i >= 2) {
      DupeGroup g;
      g.size = keys_[i].size;
      if (keys_[i].hasPrint) g.fingerprint = keys_[i].print;
      for (std::size_t k = i; k < j; ++k) g.copies.push_back({keys_[k].catalog, keys_[k].record, {}});
      groups.push_back(std::move(g));
    }
    i = j;
  }
  std::vector<Key>().swap(keys_);
  resolvePaths(groups);
  std::stable_sort(groups.begin(), groups.end(), [](const DupeGroup& a, const DupeGroup& b) {
    return std::make_tuple(b.wasted(), b.size) < std::make_tuple(a.wasted(), a.size);
  });
  return groups;
}

// Walks each catalog that has a copy once, taking the paths of the records wanted.
void DuplicateFinder::resolvePaths(std::vector<DupeGroup>& groups) {
  // By catalog, the copies' records in order: a flat list costs a fraction of a tree's
  // nodes when every record of millions has a copy.
  std::vector<std::vector<std::pair<std::int64_t, DupeCopy*>>> wanted(catalogs_.size());
  for (DupeGroup& g : groups)
    for (DupeCopy& c : g.copies) wanted[c.catalog].emplace_back(c.record, &c);
  for (std::size_t catalog = 0; catalog < wanted.size(); ++catalog) {
    auto& records = wanted[catalog];
    if (records.empty()) continue;
    std::sort(records.begin(), records.end());
    try {
      CatalogReader reader(catalogs_[catalog].path, ops_);
      forEachCatalogEntry(reader, false,
                          [&](std::int64_t pos, const TSCFileObjectInfo& r, const std::string& p) {
                            auto it = std::lower_bound(
                                records.begin(), records.end(), pos,
                                [](const auto& entry, std::int64_t at) { return entry.first < at; });
                            if (it == records.end() || it->first != pos) return;
                            DupeCopy& copy = *it->second;
                            copy.path = p;
                            copy.time = r.CreateDateTime;
                            copy.attributes = r.Attribute;
                          });
    } catch (const EStreamError& e) {
      catalogs_[catalog].warning = catalogs_[catalog].path + ": " + e.what();
    }
    std::vector<std::pair<std::int64_t, DupeCopy*>>().swap(records);
  }
  // A record the tree does not reach keeps its place in the group, named by position.
  for (DupeGroup& g : groups)
    for (DupeCopy& c : g.copies)
      if (c.path.empty()) c.path = "#" + std::to_string(c.record);
  for (DupeGroup& g : groups)
    std::sort(g.copies.begin(), g.copies.end(), [](const DupeCopy& a, const DupeCopy& b) {
      return std::tie(a.catalog, a.path) < std::tie(b.catalog, b.path);
    });
}

}  // namespace kolvex
