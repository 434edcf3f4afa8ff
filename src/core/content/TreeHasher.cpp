#include "core/content/TreeHasher.h"

#include <algorithm>
#include <vector>

#include "core/content/CatalogFileWalk.h"
#include "core/content/ContentHasher.h"

namespace kolvex {
namespace {

struct Pending {
  std::int64_t record;
  std::int64_t size;
  std::string path;
};

}  // namespace

TreeHashResult TreeHasher::hashCatalogTree(const std::string& catalogPath,
                                           const std::string& scannedFolder, const Tick& tick,
                                           FileOps& ops) {
  TreeHashResult result;
  std::string base = scannedFolder;
  if (base.empty() || base.back() != '/') base += '/';
  std::vector<Pending> files;
  std::uint64_t total = 0;
  {
    CatalogReader reader(catalogPath, ops);
    forEachCatalogEntry(reader, false,
                        [&](std::int64_t pos, const TSCFileObjectInfo& r, const std::string& p) {
                          if (!isRegularFileRecord(r)) return;
                          files.push_back({pos, r.FileSize, base + p});
                          total += static_cast<std::uint64_t>(r.FileSize > 0 ? r.FileSize : 0);
                        });
  }
  if (!tick(0, total)) {
    result.cancelled = true;
    return result;
  }
  ContentHasher hasher;
  std::uint64_t done = 0;
  result.content.entries.reserve(files.size());
  for (const Pending& f : files) {
    const std::uint64_t before = done;
    HashResult h = hasher.hashFile(f.path, [&](std::uint64_t n) {
      // A file that grew since the walk must not push the bar past its end.
      done = std::min(done + n, before + static_cast<std::uint64_t>(f.size > 0 ? f.size : 0));
      return tick(done, total);
    });
    result.bytes += h.size;
    if (h.status == HashStatus::Stopped) {
      result.cancelled = true;
      return result;
    }
    done = before + static_cast<std::uint64_t>(f.size > 0 ? f.size : 0);
    if (h.status != HashStatus::Done || h.size != static_cast<std::uint64_t>(f.size)) {
      ++result.unreadable;
      continue;
    }
    result.content.entries.push_back({f.record, f.size, h.fingerprint});
  }
  if (!tick(done, total)) {
    result.cancelled = true;
    return result;
  }
  std::sort(result.content.entries.begin(), result.content.entries.end(),
            [](const FingerprintEntry& a, const FingerprintEntry& b) { return a.record < b.record; });
  result.content.identity = identityOf(catalogPath, ops);
  return result;
}

}  // namespace kolvex
