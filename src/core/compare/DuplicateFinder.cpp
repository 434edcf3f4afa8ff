#include "core/compare/DuplicateFinder.h"

#include <xxhash.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <cstring>
#include <tuple>

#include "core/compare/CatalogFiles.h"
#include "core/content/RecordPaths.h"
#include "core/content/CompanionStore.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/FileOrderScan.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

std::uint64_t nameKey(std::string_view name, double time, bool withTime) {
  std::uint64_t seed = 0;
  if (withTime) std::memcpy(&seed, &time, sizeof seed);
  return XXH3_64bits_withSeed(name.data(), name.size(), seed);
}

// Where a key falls in the tables that count keys alike: by size and name, and by size and
// fingerprint.
std::size_t nameSlot(std::int64_t size, std::uint64_t name, std::size_t mask) {
  return static_cast<std::size_t>((name ^ (static_cast<std::uint64_t>(size) * 0x9E3779B97F4A7C15ull)) & mask);
}
std::size_t printSlot(std::int64_t size, const Fingerprint& print, std::size_t mask) {
  const std::uint64_t mixed = print.low ^ (print.high * 0xC2B2AE3D27D4EB4Full) ^
                              (static_cast<std::uint64_t>(size) * 0x9E3779B97F4A7C15ull);
  return static_cast<std::size_t>((mixed ^ (mixed >> 29)) & mask);
}

bool regular(std::int32_t attributes) {
  return (attributes & (faDirectory | faReparsePoint | faSysFile | faVolumeID)) == 0;
}

}  // namespace

std::string copyName(const DupeCopy& copy) {
  const std::size_t slash = copy.path.rfind('/');
  return std::string(slash == std::string_view::npos ? copy.path : copy.path.substr(slash + 1));
}

std::string copyStoredFolder(const DupeCopy& copy) {
  const std::size_t slash = copy.path.rfind('/');
  std::string folder = "X:\\";
  if (slash == std::string_view::npos) return folder;
  for (std::size_t i = 0; i < slash; ++i) folder += copy.path[i] == '/' ? '\\' : copy.path[i];
  return folder + '\\';
}

std::string_view TextStore::keep(std::string_view text) {
  constexpr std::size_t kBlock = 1 << 20;
  if (room_ - used_ < text.size()) {
    room_ = std::max(kBlock, text.size());
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(room_));
    used_ = 0;
  }
  char* at = blocks_.back().get() + used_;
  std::copy(text.begin(), text.end(), at);
  used_ += text.size();
  return {at, text.size()};
}

void TextStore::take(TextStore&& other) {
  // Their blocks go before the one this store is filling, which stays the last.
  const auto at = blocks_.empty() ? blocks_.end() : blocks_.end() - 1;
  blocks_.insert(at, std::make_move_iterator(other.blocks_.begin()),
                 std::make_move_iterator(other.blocks_.end()));
  other.blocks_.clear();
  other.used_ = other.room_ = 0;
}

std::size_t DuplicateFinder::workers() const {
  // Only the real file system is known to be safe from several threads at once.
  if (&ops_ != &posixFileOps()) return 1;
  return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
}

void DuplicateFinder::inParallel(std::size_t count, std::size_t workers,
                                 const std::function<void(std::size_t, std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::mutex failing;
  std::exception_ptr failure;  // the first one, thrown again once every worker stopped
  auto run = [&](std::size_t worker) {
    try {
      for (std::size_t i = next++; i < count; i = next++) work(i, worker);
    } catch (...) {
      next = count;
      const std::lock_guard<std::mutex> lock(failing);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (std::size_t w = 1; w < workers; ++w) threads.emplace_back(run, w);
  run(0);
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

DuplicateFinder::DuplicateFinder(DupeOptions options, FileOps& ops)
    : options_(options), ops_(ops) {}

std::size_t DuplicateFinder::addCatalog(const std::string& catalogPath) {
  const std::size_t index = catalogs_.size();
  catalogs_.emplace_back().path = catalogPath;
  readCatalog(index, keys_);
  return index;
}

void DuplicateFinder::readCatalog(std::size_t index, std::vector<Key>& keys) {
  DupeCatalog& c = catalogs_[index];
  const std::string& catalogPath = c.path;
  const std::size_t before = keys.size();
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
    FileOrderScan scan(reader);
    while (!scan.done()) {
      const RecordView& r = scan.next();
      const std::int64_t pos = scan.position();
      while (next < entries.size() && entries[next].record < pos) ++next;
      const bool printed = next < entries.size() && entries[next].record == pos;
      if (printed && entries[next].size != r.FileSize) unfit = true;
      if (!regular(r.Attribute) || r.FileSize < options_.minSize) continue;
      Key k{r.FileSize, {}, nameKey(r.FileName, r.CreateDateTime, options_.sameTime), pos,
            static_cast<std::uint32_t>(index), 0};
      if (options_.byContent && printed) {
        k.print = entries[next].fingerprint;
        k.hasPrint = 1;
      }
      keys.push_back(k);
    }
    if (unfit) {
      // The companion does not describe this catalog's records: none of it is used.
      for (std::size_t i = before; i < keys.size(); ++i) keys[i].hasPrint = 0;
      prints.problem = "The fingerprint file does not fit the catalog's records";
      c.warning = ignoredCompanionText(catalogPath, prints);
    }
    c.read = true;
  } catch (const EStreamError& e) {
    keys.resize(before);
    c.warning = catalogPath + ": " + e.what() + "; the catalog is left out";
  }
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
  const std::size_t first = catalogs_.size();
  for (const std::string& path : catalogPaths) catalogs_.emplace_back().path = path;
  // The catalogs are read on every core, each into keys of its own that then join the rest.
  std::vector<std::vector<Key>> ofCatalog(workers());
  std::mutex joining;
  inParallel(catalogPaths.size(), ofCatalog.size(), [&](std::size_t i, std::size_t worker) {
    std::vector<Key>& keys = ofCatalog[worker];
    keys.clear();
    readCatalog(first + i, keys);
    const std::lock_guard<std::mutex> lock(joining);
    keys_.insert(keys_.end(), keys.begin(), keys.end());
  });
}

// A file without a fingerprint is compared by name and size. Where the files of that name
// and size that have one all agree, it joins their content group; otherwise it can only
// match other files without a fingerprint.
// Most files of a large collection have no copy. A key can only join a group when another
// key has its size and name, or its size and fingerprint; counting both in two small tables
// (where unlike keys may share a slot, which only keeps a key too many) lets every key
// without a partner go before the sorting, which then handles the copies alone.
void DuplicateFinder::dropLoneKeys() {
  std::size_t slots = 1;
  while (slots < keys_.size() * 2 && slots < (std::size_t{1} << 28)) slots <<= 1;
  const std::size_t mask = slots - 1;
  // One byte per slot: how many keys have a size and name there (up to 2, in the low two
  // bits), and how many a size and fingerprint (the next two).
  std::vector<std::uint8_t> seen(slots, 0);
  auto count = [](std::uint8_t& slot, int shift) {
    if (((slot >> shift) & 3) < 2) slot = static_cast<std::uint8_t>(slot + (1 << shift));
  };
  for (const Key& k : keys_) {
    count(seen[nameSlot(k.size, k.name, mask)], 0);
    if (k.hasPrint) count(seen[printSlot(k.size, k.print, mask)], 2);
  }
  std::erase_if(keys_, [&](const Key& k) {
    return (seen[nameSlot(k.size, k.name, mask)] & 3) < 2 &&
           !(k.hasPrint && ((seen[printSlot(k.size, k.print, mask)] >> 2) & 3) >= 2);
  });
}

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

DupeGroups DuplicateFinder::groups() {
  dropLoneKeys();
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
  // The groups and their copies' places first, so that the keys are gone before the copies
  // are made: with every record a copy, both at once would double the memory.
  DupeGroups found;
  std::vector<std::pair<std::uint32_t, std::int64_t>> places;
  std::vector<std::size_t> counts;
  places.reserve(keys_.size());
  for (std::size_t i = 0; i < keys_.size();) {
    std::size_t j = i + 1;
    while (j < keys_.size() && same(keys_[i], keys_[j])) ++j;
    if (j - i >= 2) {
      DupeGroup& g = found.list.emplace_back();
      g.size = keys_[i].size;
      if (keys_[i].hasPrint) g.fingerprint = keys_[i].print;
      counts.push_back(j - i);
      for (std::size_t k = i; k < j; ++k) places.emplace_back(keys_[k].catalog, keys_[k].record);
    }
    i = j;
  }
  std::vector<Key>().swap(keys_);
  std::size_t next = 0;
  for (std::size_t g = 0; g < found.list.size(); ++g) {
    auto& copies = found.list[g].copies;
    copies.reserve(counts[g]);
    for (std::size_t k = 0; k < counts[g]; ++k, ++next)
      copies.push_back({places[next].first, 0, places[next].second, {}, 0.0});
  }
  decltype(places)().swap(places);
  resolvePaths(found);
  std::stable_sort(found.list.begin(), found.list.end(), [](const DupeGroup& a, const DupeGroup& b) {
    return std::make_tuple(b.wasted(), b.size) < std::make_tuple(a.wasted(), a.size);
  });
  return found;
}

// Reads each catalog that has a copy once, in file order, for the paths of its copies.
void DuplicateFinder::resolvePaths(DupeGroups& groups) {
  // The copies by catalog (counted into place), then by record within each catalog.
  std::vector<std::size_t> start(catalogs_.size() + 1, 0);
  for (const DupeGroup& g : groups.list)
    for (const DupeCopy& c : g.copies) ++start[c.catalog + 1];
  for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  std::vector<std::pair<std::int64_t, DupeCopy*>> byCatalog(start.back());
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (DupeGroup& g : groups.list)
    for (DupeCopy& c : g.copies) byCatalog[fill[c.catalog]++] = {c.record, &c};
  // Each catalog on its own, on every core: a worker keeps the paths it finds in a text
  // store of its own, and each copy is written by the one worker that reads its catalog.
  std::vector<TextStore> stores(workers());
  std::vector<std::vector<std::int64_t>> wanted(stores.size());
  inParallel(catalogs_.size(), stores.size(), [&](std::size_t catalog, std::size_t worker) {
    const auto first = byCatalog.begin() + static_cast<std::ptrdiff_t>(start[catalog]);
    const auto last = byCatalog.begin() + static_cast<std::ptrdiff_t>(start[catalog + 1]);
    if (first == last) return;
    std::sort(first, last, [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::int64_t>& positions = wanted[worker];
    positions.clear();
    for (auto it = first; it != last; ++it) positions.push_back(it->first);
    try {
      CatalogReader reader(catalogs_[catalog].path, ops_);
      forEachRecordPath(reader, positions,
                        [&](std::size_t w, std::string_view path, double time, std::int32_t attributes) {
                          DupeCopy& copy = *first[static_cast<std::ptrdiff_t>(w)].second;
                          copy.path = stores[worker].keep(path);
                          copy.time = time;
                          copy.attributes = attributes;
                        });
    } catch (const EStreamError& e) {
      catalogs_[catalog].warning = catalogs_[catalog].path + ": " + e.what();
    }
  });
  for (TextStore& store : stores) groups.paths.take(std::move(store));
  decltype(byCatalog)().swap(byCatalog);
  // A record the tree does not reach keeps its place in the group, named by position.
  for (DupeGroup& g : groups.list)
    for (DupeCopy& c : g.copies)
      if (c.path.empty()) c.path = groups.paths.keep("#" + std::to_string(c.record));
  for (DupeGroup& g : groups.list)
    std::sort(g.copies.begin(), g.copies.end(), [](const DupeCopy& a, const DupeCopy& b) {
      return std::tie(a.catalog, a.path) < std::tie(b.catalog, b.path);
    });
}

}  // namespace kolvex
