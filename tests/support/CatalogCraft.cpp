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

namespace {

// The records of a chain by their indices, following links that name records (a raw link
// ends it); at most one pass over the records, so a crafted cycle ends too.
std::vector<std::size_t> chainOf(const std::vector<Crafted>& records, Link first) {
  std::vector<std::size_t> chain;
  for (Link at = first; !at.isRaw && at.value >= 0 && chain.size() < records.size();
       at = records[static_cast<std::size_t>(at.value)].brother)
    chain.push_back(static_cast<std::size_t>(at.value));
  return chain;
}

void fillCounters(std::vector<Crafted>& records, Link entrance, TSCCDInfo& header) {
  const std::size_t n = records.size();
  for (Crafted& c : records) {
    if (!c.record.isDirectory()) continue;
    c.record.FilesOnlyUM = static_cast<std::int32_t>(chainOf(records, c.childFile).size());
    c.record.DirsOnlyUM = static_cast<std::int32_t>(chainOf(records, c.childDir).size());
  }
  // Subtree totals: children are written before their parents, so one pass in file order
  // sees every child's totals first; any other order is a crafted fault anyway.
  for (std::size_t i = 0; i < n; ++i) {
    TSCFileObjectInfo& r = records[i].record;
    if (!r.isDirectory()) continue;
    std::int64_t files = r.FilesOnlyUM, dirs = r.DirsOnlyUM;
    for (std::size_t child : chainOf(records, records[i].childDir)) {
      if (child >= i) continue;
      files += records[child].record.FilesUnderMe;
      dirs += records[child].record.DirsUnderMe;
    }
    r.FilesUnderMe = static_cast<std::int32_t>(files);
    r.DirsUnderMe = static_cast<std::int32_t>(dirs);
  }
  if (!entrance.isRaw && entrance.value >= 0 && static_cast<std::size_t>(entrance.value) < n) {
    const TSCFileObjectInfo& root = records[static_cast<std::size_t>(entrance.value)].record;
    header.TotalFiles = root.FilesUnderMe;
    header.TotalDirectories = root.DirsUnderMe;
  }
}

}  // namespace

std::string craftCatalog(std::vector<Crafted> records, Link entrance, TSCCDInfo header,
                         Counters counters) {
  if (counters == Counters::Fill) fillCounters(records, entrance, header);
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

TSCFileObjectInfo plainRecord(const std::string& name, bool folder) {
  TSCFileObjectInfo r;
  r.FileName = name;
  r.FilePath = "X:\\";
  r.Attribute = folder ? faDirectory : faArchive;
  return r;
}

}  // namespace kolvex::test
