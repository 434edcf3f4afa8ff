#include "core/content/CatalogFileWalk.h"

#include <vector>

namespace kolvex {

void forEachCatalogEntry(CatalogReader& reader, bool withFolders, const CatalogEntryVisit& visit) {
  std::vector<std::size_t> lengths;  // the path's length at each folder depth
  std::string path;
  reader.walkTree(
      [&](std::int64_t pos, const TSCFileObjectInfo& record, int depth) {
        const auto d = static_cast<std::size_t>(depth);
        if (d == 0) {
          lengths.assign(1, 0);
          return;
        }
        if (d > lengths.size()) return;  // cannot happen: depths grow one at a time
        path.resize(lengths[d - 1]);
        path += record.FileName;
        if (record.isDirectory()) {
          lengths.resize(d);
          lengths.push_back(path.size() + 1);
          if (withFolders) visit(pos, record, path);
          path += '/';
        } else {
          visit(pos, record, path);
        }
      },
      true);
}

bool isRegularFileRecord(const TSCFileObjectInfo& record) {
  return (record.Attribute & (faDirectory | faReparsePoint | faSysFile | faVolumeID)) == 0;
}

}  // namespace kolvex
