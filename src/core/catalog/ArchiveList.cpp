#include "core/catalog/ArchiveList.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "core/catalog/ArchiveHeader.h"
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
  if (!listing) throw EFOpenError(fillMessage(msg::kCannotOpenFile, dir));
  std::vector<ArchiveEntry> all;
  while (dirent* e = ::readdir(listing.get())) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || !hasCatalogExtension(name)) continue;
    ArchiveEntry entry;
    entry.path = dir + name;
    struct stat st {};
    if (::stat(entry.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    try {
      CatalogReader reader(entry.path, ops);
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

}  // namespace kolvex
