#include "support/CatalogCraft.h"

#include "core/persist/CatalogWriter.h"
#include "core/persist/ComponentWriter.h"

namespace kolvex::test {

Entry file(std::string name, std::int64_t size) { return Entry{std::move(name), false, size, {}}; }
Entry dir(std::string name, std::vector<Entry> entries) {
  return Entry{std::move(name), true, 0, std::move(entries)};
}

namespace {

struct Counts {
  int files = 0, dirs = 0;
};

Counts count(const Entry& e) {
  Counts c;
  for (const auto& x : e.entries) {
    Counts sub = count(x);
    c.files += sub.files + (x.dir ? 0 : 1);
    c.dirs += sub.dirs + (x.dir ? 1 : 0);
  }
  return c;
}

void writeDir(CatalogWriter& w, const Entry& d, const std::string& path) {
  w.enterDirectory();
  std::string inner = d.name.empty() ? path : path + d.name + "\\";
  int ownFiles = 0, ownDirs = 0;
  for (const auto& e : d.entries) {
    if (e.dir) {
      writeDir(w, e, inner);
      ++ownDirs;
    } else {
      TSCFileObjectInfo r;
      r.FileName = e.name;
      r.FilePath = inner;
      r.Attribute = faArchive | e.attributes;
      r.FileSize = e.size;
      r.CreateDateTime = e.time;
      w.addFile(r);
      ++ownFiles;
    }
  }
  Counts c = count(d);
  TSCFileObjectInfo r;
  r.FileName = d.name;
  r.FilePath = path;
  r.Attribute = faDirectory | d.attributes;
  r.FilesUnderMe = c.files;
  r.DirsUnderMe = c.dirs;
  r.FilesOnlyUM = ownFiles;
  r.DirsOnlyUM = ownDirs;
  w.leaveDirectory(r);
}

}  // namespace

void writeCatalog(const std::string& path, const Entry& root, TSCCDInfo header) {
  CatalogWriter w(path);
  writeDir(w, root, "X:\\");
  Counts c = count(root);
  header.TotalFiles = c.files;
  header.TotalDirectories = c.dirs;
  if (header.SystemVersion.empty()) header.SystemVersion = kSystemVersion;
  w.commit(header);
}

Link raw(std::int64_t v) {
  Link l(v);
  l.isRaw = true;
  return l;
}

std::string craftCatalog(std::vector<Crafted> records, Link entrance, TSCCDInfo header) {
  std::vector<std::int64_t> pos(records.size(), 0);
  auto resolve = [&](Link link) {
    if (link.isRaw || link.value < 0) return link.value;
    return pos[static_cast<std::size_t>(link.value)];
  };
  std::string area;
  // Encoded sizes depend on the link values, which depend on the sizes: iterate.
  for (int round = 0; round < 20; ++round) {
    area.clear();
    std::vector<std::int64_t> next(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      TSCFileObjectInfo& r = records[i].record;
      r.BrotherRP = resolve(records[i].brother);
      if (r.isDirectory()) {
        r.ChildFileRP = resolve(records[i].childFile);
        r.ChildDirRP = resolve(records[i].childDir);
      }
      next[i] = static_cast<std::int64_t>(area.size());
      encodeObject(r, area);
    }
    if (next == pos) break;
    pos = next;
  }
  header.EntranceRP = resolve(entrance);
  return encodeObject(header) + area;
}

}  // namespace kolvex::test
