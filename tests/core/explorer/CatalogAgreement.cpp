#include "core/explorer/CatalogAgreement.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "core/app/EventPump.h"
#include "core/explorer/FolderTreeLoader.h"
#include "core/explorer/ListFolder.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/FileOrderScan.h"
#include "core/persist/CatalogFolder.h"
#include "core/persist/PersistError.h"

namespace kolvex::test {
namespace {

SeenRecord seen(std::int64_t pos, bool folder, const TTFileObjectInfo& r) {
  return {pos, folder, r.FileName, r.FilePath, r.FileSize, r.CreateDateTime, r.Attribute};
}

std::unique_ptr<CatalogReader> open(const std::string& bytes) {
  return std::make_unique<CatalogReader>(std::make_unique<MemoryStream>(bytes));
}

void sortByPosition(Walk& w) {
  std::sort(w.records.begin(), w.records.end(),
            [](const SeenRecord& a, const SeenRecord& b) { return a.pos < b.pos; });
}

// Runs a walk, turning the reader's refusal into the walk's error.
template <class Body>
Walk walk(const std::string& bytes, Body body) {
  Walk w;
  try {
    std::unique_ptr<CatalogReader> reader = open(bytes);
    body(*reader, w.records);
    sortByPosition(w);
  } catch (const EStreamError& e) {
    w.error = e.what();
    w.records.clear();
  }
  return w;
}

bool sameTime(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a != a && b != b); }

std::string describe(const SeenRecord& r) {
  return "record at " + std::to_string(r.pos) + (r.folder ? " (folder " : " (file ") + r.name + ")";
}

std::string compare(const char* what, const Walk& a, const Walk& b) {
  if (a.records.size() != b.records.size())
    return std::string(what) + ": " + std::to_string(a.records.size()) + " records against " +
           std::to_string(b.records.size());
  for (std::size_t i = 0; i < a.records.size(); ++i) {
    const SeenRecord &x = a.records[i], &y = b.records[i];
    if (x.pos != y.pos || x.folder != y.folder || x.name != y.name || x.path != y.path ||
        x.size != y.size || !sameTime(x.time, y.time) || x.attribute != y.attribute)
      return std::string(what) + ": " + describe(x) + " against " + describe(y);
  }
  return {};
}

}  // namespace

Walk walkAsLs(const std::string& bytes) {
  return walk(bytes, [](CatalogReader& reader, std::vector<SeenRecord>& out) {
    std::vector<CatalogFolder> folders{*FindCatalogFolder(reader, "")};
    out.push_back(seen(folders[0].position, true, folders[0].record));
    // ls itself lists one folder; listing each folder once bounds a catalog whose folders
    // share sub-folders, which the other walks refuse.
    std::unordered_set<std::int64_t> listed;
    while (!folders.empty()) {
      CatalogFolder folder = std::move(folders.back());
      folders.pop_back();
      if (!listed.insert(folder.position).second) throw EStreamError("a folder listed twice");
      FolderListing listing = ListCatalogFolder(reader, folder);
      for (ListedEntry& f : listing.files) out.push_back(seen(f.pos, false, f.record));
      for (ListedEntry& d : listing.folders) {
        out.push_back(seen(d.pos, true, d.record));
        folders.push_back(CatalogFolder{d.pos, std::move(d.record), {}});
      }
    }
  });
}

Walk walkAsExplorer(const std::string& bytes) {
  return walk(bytes, [](CatalogReader& reader, std::vector<SeenRecord>& out) {
    NoEventPump none;
    SlicedPump pump(none);
    FolderTree tree = FolderTreeLoader(reader, pump).load();
    const TreeNode* root = tree.root();
    out.push_back(seen(root->position, true, root->record));
    std::vector<const TreeNode*> folders{root};
    while (!folders.empty()) {
      const TreeNode* node = folders.back();
      folders.pop_back();
      for (const FolderEntry& e : ListFolder(reader, tree, *node, [](std::int64_t) {})) {
        out.push_back(seen(e.position, e.node != nullptr, e.record));
        if (e.node) folders.push_back(e.node);
      }
    }
  });
}

Walk walkAsSearch(const std::string& bytes) {
  return walk(bytes, [](CatalogReader& reader, std::vector<SeenRecord>& out) {
    FileOrderScan records(reader);
    while (!records.done()) {
      const RecordView& r = records.next();
      out.push_back({records.position(), (r.Attribute & faDirectory) != 0, std::string(r.FileName),
                     std::string(r.FilePath), r.FileSize, r.CreateDateTime, r.Attribute});
    }
  });
}

std::string disagreement(const std::string& bytes) {
  const Walk ls = walkAsLs(bytes), explorer = walkAsExplorer(bytes), search = walkAsSearch(bytes);
  if (ls.error || explorer.error || search.error) return {};
  if (std::string d = compare("ls against the explorer", ls, explorer); !d.empty()) return d;
  return compare("ls against the search", ls, search);
}

}  // namespace kolvex::test
