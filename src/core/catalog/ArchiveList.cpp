#include "core/catalog/ArchiveList.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "core/catalog/ArchiveHeader.h"
#include "core/content/CompanionStore.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

bool hasCatalogExtension(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == kCatalogExtension;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

std::vector<ArchiveEntry> ListArchives(const std::string& folder, FileOps& ops) {
  std::string dir = folder;
  if (dir.empty() || dir.back() != '/') dir += '/';
  std::unique_ptr<DIR, DirCloser> listing(::opendir(dir.c_str()));
  if (!listing) {
    const int err = errno;
    if (err == ENOENT) throw EFOpenError("The catalog folder " + dir + " does not exist");
    throw EFOpenError("Cannot list the catalog folder " + dir + ": " + std::strerror(err));
  }
  std::vector<ArchiveEntry> all;
  while (dirent* e = ::readdir(listing.get())) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || !hasCatalogExtension(name)) continue;
    ArchiveEntry entry;
    entry.path = dir + name;
    struct stat st {};
    // A folder named like a catalog is passed over; anything else that is no regular file
    // (a fifo, a device) is listed with the reader's refusal.
    if (::stat(entry.path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
    try {
      CatalogReader reader(entry.path, ops);
      // The scanned folder's record is written last: a file cut short (a full disc, a
      // broken copy) loses it first, and is damaged however whole its header looks.
      reader.readRoot();
      entry.header = std::make_shared<TSCCDInfo>();
      CopyArchiveHeader(reader.header(), *entry.header);
      reader.close();
    } catch (const EStreamError& err) {
      entry.header.reset();
      entry.error = err.what();
    }
    all.push_back(std::move(entry));
  }
  return all;
}

std::string DeleteArchive(const std::string& path, FileOps& ops) {
  if (ops.unlink(path) != 0 && errno != ENOENT) return std::strerror(errno);
  index::RemoveIndex(path);  // the catalog's search index goes with it
  // Its fingerprints go with it: beside a later catalog of that name they would be stale.
  removeCompanionOf(path, ops);
  return std::string();
}

}  // namespace kolvex
