#include "core/content/RecordPaths.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/persist/CatalogDamage.h"
#include "core/persist/FileOrderScan.h"

namespace kolvex {
namespace {

constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();

struct Folder {
  std::size_t record;
  std::int64_t childFile, childDir;
  std::int32_t files, dirs;
  std::size_t nameAt, nameLength;
};

struct Wanted {
  std::size_t record = std::numeric_limits<std::size_t>::max();
  std::size_t nameAt = 0, nameLength = 0;
  double time = 0.0;
  std::int32_t attributes = 0;
};

// What one pass in file order keeps of a catalog.
struct Links {
  std::vector<std::int64_t> position, brother;
  std::vector<std::uint32_t> folderOf;  // a folder record's number among the folders, else kNoParent
  std::vector<Folder> folders;
  std::vector<Wanted> wanted;
  std::string names;
};

Links readLinks(CatalogReader& reader, const std::vector<std::int64_t>& wantedPositions) {
  Links l;
  FileOrderScan scan(reader);
  const auto count = static_cast<std::size_t>(scan.records());
  l.position.reserve(count);
  l.brother.reserve(count);
  l.folderOf.reserve(count);
  l.wanted.resize(wantedPositions.size());
  std::size_t w = 0;
  while (!scan.done()) {
    const RecordView& r = scan.next();
    const std::size_t i = l.position.size();
    const std::int64_t at = scan.position();
    l.position.push_back(at);
    l.brother.push_back(r.BrotherRP);
    if ((r.Attribute & faDirectory) != 0) {
      l.folderOf.push_back(static_cast<std::uint32_t>(l.folders.size()));
      l.folders.push_back({i, r.ChildFileRP, r.ChildDirRP, r.FilesOnlyUM, r.DirsOnlyUM,
                           l.names.size(), r.FileName.size()});
      l.names += r.FileName;
    } else {
      l.folderOf.push_back(kNoParent);
    }
    while (w < wantedPositions.size() && wantedPositions[w] < at) ++w;
    if (w < wantedPositions.size() && wantedPositions[w] == at) {
      l.wanted[w] = {i, l.names.size(), r.FileName.size(), r.CreateDateTime, r.Attribute};
      l.names += r.FileName;
    }
  }
  return l;
}

// Gives every record its folder by following each folder's two chains.
std::vector<std::uint32_t> parentsOf(const Links& l) {
  std::vector<std::uint32_t> parent(l.position.size(), kNoParent);
  auto follow = [&](std::uint32_t folder, std::int64_t link, std::int64_t counted, bool folders) {
    const std::size_t holderRecord = l.folders[folder].record;
    std::int64_t holder = l.position[holderRecord];
    std::int64_t found = 0;
    while (link != kNoRecord) {
      if (link < 0 || link >= holder) throwBadLink(link, holder);
      const auto it = std::lower_bound(l.position.begin(),
                                       l.position.begin() + static_cast<std::ptrdiff_t>(holderRecord), link);
      if (*it != link) throwBadLink(link, holder);
      const auto j = static_cast<std::size_t>(it - l.position.begin());
      const bool isFolder = l.folderOf[j] != kNoParent;
      if (isFolder != folders) throwWrongKind(link, isFolder, holder);
      if (parent[j] != kNoParent) throwDamaged("a record is reached twice");
      parent[j] = folder;
      ++found;
      holder = link;
      link = l.brother[j];
    }
    if (found != counted) throwWrongCount(l.position[holderRecord], folders, found, counted);
  };
  for (std::uint32_t f = 0; f < l.folders.size(); ++f) {
    follow(f, l.folders[f].childDir, l.folders[f].dirs, true);
    follow(f, l.folders[f].childFile, l.folders[f].files, false);
  }
  return parent;
}

}  // namespace

void forEachRecordPath(CatalogReader& reader, const std::vector<std::int64_t>& wanted,
                       const RecordPathVisit& visit) {
  const Links l = readLinks(reader, wanted);
  if (l.folders.empty()) return;
  const std::vector<std::uint32_t> parent = parentsOf(l);
  // Each folder's path with its slash, root first: a folder's record lies before its
  // parent's, so walking the folders backwards meets every parent before its children.
  // The scanned folder is the last record; a folder no chain reaches has no path.
  constexpr std::size_t kUnreached = std::numeric_limits<std::size_t>::max();
  std::string folderPaths;
  std::vector<std::size_t> pathAt(l.folders.size(), kUnreached), pathEnd(l.folders.size(), 0);
  const std::size_t root = l.folders.size() - 1;
  if (l.folders[root].record != l.position.size() - 1) throwDamaged("the scanned folder is not the last record");
  pathAt[root] = pathEnd[root] = 0;
  for (std::size_t f = root; f-- > 0;) {
    const std::uint32_t up = parent[l.folders[f].record];
    if (up == kNoParent || pathAt[up] == kUnreached) continue;
    const std::string above = folderPaths.substr(pathAt[up], pathEnd[up] - pathAt[up]);
    pathAt[f] = folderPaths.size();
    folderPaths += above;
    folderPaths.append(l.names, l.folders[f].nameAt, l.folders[f].nameLength);
    folderPaths += '/';
    pathEnd[f] = folderPaths.size();
  }
  std::string path;
  for (std::size_t w = 0; w < l.wanted.size(); ++w) {
    const Wanted& want = l.wanted[w];
    if (want.record >= parent.size() || want.record == l.folders[root].record) continue;
    const std::uint32_t up = parent[want.record];
    if (up == kNoParent || pathAt[up] == kUnreached) continue;
    path.assign(folderPaths, pathAt[up], pathEnd[up] - pathAt[up]);
    path.append(l.names, want.nameAt, want.nameLength);
    visit(w, path, want.time, want.attributes);
  }
}

}  // namespace kolvex
