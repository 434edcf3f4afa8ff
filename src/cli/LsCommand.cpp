#include "cli/LsCommand.h"

#include <algorithm>
#include <clocale>
#include <ostream>
#include <sstream>

#include "cli/FieldText.h"
#include "core/catalog/DateTimeText.h"
#include "core/persist/CatalogFolder.h"
#include "core/persist/PersistError.h"
#include "core/report/EntryJson.h"

namespace kolvex::cli {
namespace {

struct Found {
  std::int64_t pos;
  TTFileObjectInfo entry;
};

}  // namespace

void LsCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file")->required();
  sub.add_option("FOLDER", folder_, "A folder below the scanned one, parts separated by /");
  sub.add_flag("--json", json_,
               "One JSON object per line: name, kind (dir or file), size, time (day count), "
               "attributes and path (the stored path)");
}

int LsCommand::run(Io& io) {
  std::setlocale(LC_TIME, "");
  std::vector<Found> dirs, files;
  try {
    CatalogReader reader(catalog_);
    const std::optional<CatalogFolder> folder = FindCatalogFolder(reader, folder_);
    if (!folder) {
      io.err << "kolvex-cli: " << catalog_ << " has no folder " << folder_ << "\n";
      return kExitFailure;
    }
    const std::int64_t pos = folder->position;
    const TTFileObjectInfo& current = folder->record;
    reader.forEachInChain(current.ChildDirRP, pos, [&](std::int64_t p, const TSCFileObjectInfo& r) {
      dirs.push_back({p, snapshotOf(r)});
    });
    reader.forEachInChain(current.ChildFileRP, pos,
                          [&](std::int64_t p, const TSCFileObjectInfo& r) {
                            files.push_back({p, snapshotOf(r)});
                          });
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
  auto byName = [](const Found& a, const Found& b) { return a.entry.FileName < b.entry.FileName; };
  std::stable_sort(dirs.begin(), dirs.end(), byName);
  std::stable_sort(files.begin(), files.end(), byName);

  std::ostringstream out;
  auto print = [&](const Found& f, bool isDir) {
    const TTFileObjectInfo& e = f.entry;
    if (json_) {
      const ExportRow row{isDir ? RowKind::Folder : RowKind::File, e.FileName, {}, e.FilePath,
                          e.FileSize, e.CreateDateTime, e.Attribute, {}};
      out << JsonLine(EntryJson(row, false)) << '\n';
      return;
    }
    std::string date = isDir ? "--" : DateTimeText(e.CreateDateTime);
    out << (date.empty() ? "?" : date) << '\t' << e.FileSize << '\t' << fieldText(e.FileName)
        << (isDir ? "/" : "") << '\n';
  };
  for (const Found& d : dirs) print(d, true);
  for (const Found& f : files) print(f, false);
  io.out << out.str();
  return kExitOk;
}

}  // namespace kolvex::cli
